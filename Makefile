# Each target installs what it needs, then configures, builds (and tests or
# packages) through one of CMakePresets.json's workflow presets.
.PHONY: run test package sanitize fuzz lint bench test-packager test-desktop random-actions build-release build-debug clean

run: build-release
	./build/release/src/tessivan

test:
	scripts/install-deps test
	cmake --workflow --preset test

# The Debian package, in build/release/package.
package:
	scripts/install-deps package
	cmake --workflow --preset package
	dpkg-deb --info build/release/package/tessivan_*.deb

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	scripts/install-deps test
	cmake --workflow --preset sanitize

# A bounded run of the AlternateCase fuzz target (libFuzzer, clang).
FUZZ_SECONDS ?= 60
fuzz:
	scripts/install-deps fuzz
	cmake --workflow --preset fuzz
	fuzz/run build/fuzz/fuzz/fuzz_alternatecase $(FUZZ_SECONDS)

lint: build-debug
	scripts/install-deps lint
	scripts/lint

# A release build of its own, so that make run afterwards is not a benchmark build.
bench:
	scripts/install-deps bench
	cmake --workflow --preset bench
	bench/run-benchmarks build/bench

# The random-action test for longer, with a new seed (or SEED=N to repeat one).
RANDOM_SECONDS ?= 180
random-actions: build-debug
	seed=$${SEED:-$$(date +%s)}; echo "random actions: seed $$seed"; \
	RANDOM_ACTIONS_SEED=$$seed RANDOM_ACTIONS_SECONDS=$(RANDOM_SECONDS) \
		ctest --preset debug -R e2e_random-actions

# The suite as a packager builds it: another version, contact values and
# application id; and without X11.
test-packager:
	scripts/install-deps test
	tests/as-packager.sh

# The suite as on a developer's desktop, which it must leave as it was.
test-desktop: build-debug
	scripts/install-deps desktop
	tests/on-a-desktop.sh build/debug

build-release:
	scripts/install-deps build
	cmake --workflow --preset release

build-debug:
	scripts/install-deps test
	cmake --workflow --preset debug

clean:
	rm -rf build
