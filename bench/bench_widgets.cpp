#include "BenchTexts.h"
#include "RatioReporter.h"
#include "app/ClickHandlers.h"
#include "platform/services/QtServices.h"
#include "platform/textbox/ProgramText.h"
#include "platform/textbox/TextBox.h"
#include "platform/textbox/TextBoxWidget.h"
#include "window/Form1.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <cmath>
#include <cstdio>

namespace {

struct Shape
{
    const char *name;
    QString (*make)(qsizetype);
    QTextOption::WrapMode bestWrap; // for the bare widget: what suits the shape
};
const Shape Shapes[] = {
    {"prose", BenchTexts::paragraph, QTextOption::WrapAtWordBoundaryOrAnywhere},
    {"run", BenchTexts::unbreakableRun, QTextOption::WrapAnywhere},
    {"lines", BenchTexts::shortLines, QTextOption::WrapAtWordBoundaryOrAnywhere},
};
const std::pair<const char *, qsizetype> Sizes[] = {
    {"64K", 64 << 10},
    {"1M", 1 << 20},
    {"8M", 8 << 20},
};

Form1 *window;
QPlainTextEdit *bareBox; // a plain QPlainTextEdit set up as the window's boxes

TextBoxWidget *box(const char *name)
{
    return window->findChild<TextBoxWidget *>(QString::fromLatin1(name));
}

// Lets the box lay out and paint what it shows, as it would on screen.
void settle(QPlainTextEdit *box)
{
    QCoreApplication::processEvents();
    box->viewport()->repaint();
}

void emptyBoxes()
{
    box("Text1")->clear();
    box("Text2")->clear();
    QCoreApplication::processEvents();
}

// The widget's own cost: a bare QPlainTextEdit, wrapping as suits the text
// best, taking the text into an empty box.
void take(benchmark::State &state, QString text, QTextOption::WrapMode wrap)
{
    const QString qtText = toQtText(text);
    bareBox->setWordWrapMode(wrap);
    for (auto _ : state) {
        bareBox->setPlainText(qtText);
        settle(bareBox);
        state.PauseTiming();
        bareBox->clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void convert(benchmark::State &state, QString text)
{
    TextBoxWidget *output = box("Text2");
    auto *button = window->findChild<QPushButton *>(QStringLiteral("Command1"));
    for (auto _ : state) {
        state.PauseTiming();
        replaceBoxText(box("Text1"), text);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        button->click();
        settle(output);
        state.PauseTiming();
        emptyBoxes();
        state.ResumeTiming();
    }
}

void typeOneCharacter(benchmark::State &state, QString text)
{
    TextBoxWidget *input = box("Text1");
    replaceBoxText(input, text);
    input->setFocus();
    input->moveCursor(QTextCursor::End);
    settle(input);
    for (auto _ : state) {
        QTest::keyClick(input, Qt::Key_X);
        settle(input);
        state.PauseTiming();
        QTest::keyClick(input, Qt::Key_Backspace);
        settle(input);
        state.ResumeTiming();
    }
    emptyBoxes();
}

std::string key(const char *what, const char *shape, const char *size = nullptr)
{
    return std::string(what) + "/" + shape + (size ? std::string("/") + size : std::string());
}

void printTables(RatioReporter &reporter)
{
    auto ms = [&](const std::string &name) { return reporter.seconds[name] * 1e3; };
    auto verdict = [](bool met) { return met ? "met" : "MISSED"; };

    std::printf("\nConvert on the real widgets beside the box's own cost of taking the same text\n");
    std::printf("%-6s %-4s %10s %12s %7s\n", "shape", "size", "take ms", "convert ms", "ratio");
    for (const Shape &shape : Shapes) {
        for (const auto &[size, bytes] : Sizes) {
            const double taken = ms(key("take", shape.name, size));
            const double converted = ms(key("convert", shape.name, size));
            std::printf("%-6s %-4s %10.1f %12.1f %7.2f %s\n", shape.name, size, taken, converted,
                        converted / taken, verdict(converted / taken <= 1.5));
        }
    }

    std::printf("\nGrowth from 64 KiB to 8 MiB, as the exponent of time in size (target <= 1.15)\n");
    std::printf("%-6s %8s %8s\n", "shape", "take", "convert");
    const auto exponent = [&](const char *what, const char *shape) {
        return std::log(ms(key(what, shape, "8M")) / ms(key(what, shape, "64K"))) / std::log(128.0);
    };
    for (const Shape &shape : Shapes) {
        const double converted = exponent("convert", shape.name);
        std::printf("%-6s %8.2f %8.2f %s\n", shape.name, exponent("take", shape.name), converted,
                    verdict(converted <= 1.15));
    }

    const double runOverProse = ms(key("convert", "run", "1M")) / ms(key("convert", "prose", "1M"));
    std::printf("\n1 MiB unbreakable run / 1 MiB prose: %.2f (target <= 2) %s\n", runOverProse,
                verdict(runOverProse <= 2));

    std::printf("\nTyping one character into a box holding 8 MiB (target < 16 ms)\n");
    for (const Shape &shape : Shapes) {
        const double typed = ms(key("type", shape.name));
        std::printf("%-6s %8.2f ms %s\n", shape.name, typed, verdict(typed < 16));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QtServices services;
    Form1 form(services, Form1Clicks);
    window = &form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    QPlainTextEdit bare;
    bare.setFont(box("Text1")->font());
    bare.setFixedSize(box("Text1")->size());
    bare.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bare.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bare.show();
    bareBox = &bare;

    for (const Shape &shape : Shapes) {
        for (const auto &[size, bytes] : Sizes) {
            const QString text = shape.make(bytes);
            const int iterations = bytes > (1 << 20) ? 2 : bytes > (64 << 10) ? 5 : 20;
            benchmark::RegisterBenchmark(key("take", shape.name, size).c_str(), take, text, shape.bestWrap)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(iterations);
            benchmark::RegisterBenchmark(key("convert", shape.name, size).c_str(), convert, text)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(iterations);
        }
        benchmark::RegisterBenchmark(key("type", shape.name).c_str(), typeOneCharacter, shape.make(8 << 20))
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printTables(reporter);
    benchmark::Shutdown();
}
