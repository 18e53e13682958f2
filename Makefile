# Each target installs what it needs, configures and builds by itself.
.PHONY: run test bench build-release build-debug clean

run: build-release
	./build/release/src/tessivan

test: build-debug
	ctest --preset debug --output-on-failure

bench:
	scripts/install-deps bench
	cmake --preset release -DTESSIVAN_BENCHMARKS=ON
	cmake --build --preset release
	bench/run-benchmarks build/release

build-release:
	scripts/install-deps build
	cmake --preset release
	cmake --build --preset release

build-debug:
	scripts/install-deps test
	cmake --preset debug
	cmake --build --preset debug

clean:
	rm -rf build
