// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The document in memory and on disk, each beside its floor.
#include "DocumentLayout.h"
#include "Generate.h"
#include "GenerateCommand.h"
#include "GenerateReport.h"
#include "MapForm.h"
#include "MemoryFile.h"
#include "ShellOpener.h"
#include "SystemServices.h"
#include "Windows1251.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Every input filled with the particulars of a real power of attorney, the
// same as the tests' filled form.
MapForm filledForm()
{
    MapForm form;
    form.fill(QStringLiteral("filled.values"));
    return form;
}

class IgnoringShell final : public ShellOpener
{
public:
    DocumentViewer viewerFor(const QString &file) override { return {file, {}}; }
    bool openDocument(const DocumentViewer &) override { return true; }
    void openAddress(const QString &) override { }
};

QString composedDocument(const MapForm &form)
{
    QString text;
    for (int row = 1; row <= DocumentLayout::rowCount; ++row)
        text += DocumentLayout::composeRow(Layout::Doc, row, form) + u"\r\n"_s;
    return text;
}

// The bytes of the characters above 0x7F that the text holds, by the low
// byte of each; built for this text and checked to be unambiguous.
std::array<char, 256> lowByteTable(const QString &text)
{
    std::array<char, 256> table{};
    std::array<char16_t, 256> owner{};
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        if (code < 0x80)
            continue;
        const auto slot = static_cast<std::size_t>(code & 0xFF);
        if (owner[slot] != 0 && owner[slot] != code) {
            std::fprintf(stderr, "U+%04X and U+%04X share a table slot\n", owner[slot], code);
            std::abort();
        }
        owner[slot] = code;
        table[slot] = static_cast<char>(Windows1251::byteFor(code));
    }
    return table;
}

// The least work that turns the composed text into its bytes.
QByteArray floorEncode(const QString &text, const std::array<char, 256> &table)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar character : text) {
        const char16_t code = character.unicode();
        *out++ = code < 0x80 ? static_cast<char>(code) : table[code & 0xFF];
    }
    return bytes;
}

// The least work that durably replaces a file: a temporary file written at
// once, flushed to disk and renamed over the document.
void floorReplace(const std::string &path, const QByteArray &bytes)
{
    const std::string temporary = path + ".new";
    const int file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (file < 0 || ::write(file, bytes.constData(), std::size_t(bytes.size())) != bytes.size()
        || ::fsync(file) != 0 || ::close(file) != 0
        || ::rename(temporary.c_str(), path.c_str()) != 0)
        std::abort();
}

void documentInMemory(benchmark::State &state)
{
    const MapForm form = filledForm();
    MemoryFile output;
    IgnoringShell shell;
    for (auto _ : state) {
        generate(output, shell, form);
        benchmark::DoNotOptimize(output.bytes.constData());
    }
}

void documentInMemoryFloor(benchmark::State &state)
{
    const QString text = composedDocument(filledForm());
    const std::array<char, 256> table = lowByteTable(text);
    for (auto _ : state) {
        const QByteArray bytes = floorEncode(text, table);
        benchmark::DoNotOptimize(bytes.constData());
    }
}

void documentOnDisk(benchmark::State &state)
{
    const QTemporaryDir folder(QDir::currentPath() + u"/bench-XXXXXX"_s);
    MapForm form = filledForm();
    form.path = folder.filePath(u"avto.doc"_s);
    SystemDocumentFile output;
    IgnoringShell shell;
    for (auto _ : state) {
        if (generate(output, shell, form).outcome != Outcome::Written)
            state.SkipWithError("the document was not written");
    }
}

void documentOnDiskFloor(benchmark::State &state)
{
    const QTemporaryDir folder(QDir::currentPath() + u"/bench-XXXXXX"_s);
    const std::string path = folder.filePath(u"avto.doc"_s).toStdString();
    const QString text = composedDocument(filledForm());
    const QByteArray bytes = floorEncode(text, lowByteTable(text));
    for (auto _ : state)
        floorReplace(path, bytes);
}

// A million distinct characters that the code page lacks, typed into one
// input: the document and its notice must still come at once.
void millionUnmappable(benchmark::State &state)
{
    constexpr char32_t first = 0x10000;
    constexpr int count = 1'000'000;
    QString value;
    value.reserve(qsizetype(2) * count);
    for (char32_t character = first; character < first + count; ++character)
        value += QString::fromUcs4(&character, 1);
    MapForm form;
    form.texts[u"Text1"_s] = value;
    MemoryFile output;
    IgnoringShell shell;
    for (auto _ : state) {
        const GenerateResult result = generate(output, shell, form);
        benchmark::DoNotOptimize(GenerateReport::text(result).constData());
    }
}

constexpr int repetitions = 20;

BENCHMARK(documentInMemory)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(documentInMemoryFloor)->Repetitions(repetitions)->ReportAggregatesOnly(true);
BENCHMARK(documentOnDisk)->Repetitions(repetitions)->ReportAggregatesOnly(true)->MinTime(0.2);
BENCHMARK(documentOnDiskFloor)->Repetitions(repetitions)->ReportAggregatesOnly(true)->MinTime(0.2);
BENCHMARK(millionUnmappable)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the median of each benchmark and prints each against its floor.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.aggregate_name == "median" || run.repetitions <= 1)
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void printRatios() const
    {
        std::printf("\n%-20s %14s %14s %8s %8s\n", "document", "folvar (us)", "floor (us)", "ratio",
                    "target");
        printRatio("in memory", "documentInMemory", 0);
        printRatio("on disk", "documentOnDisk", 1.3);
        if (const auto million = medians.find("millionUnmappable"); million != medians.end())
            std::printf("a million characters the code page lacks, with the notice: %.0f ms\n",
                        million->second);
    }

private:
    void printRatio(const char *what, const std::string &name, double target) const
    {
        const auto ours = medians.find(name);
        const auto floor = medians.find(name + "Floor");
        if (ours == medians.end() || floor == medians.end())
            return;
        const double ratio = ours->second / floor->second;
        std::printf("%-20s %14.2f %14.2f %7.2fx", what, ours->second / 1000, floor->second / 1000,
                    ratio);
        if (target > 0)
            std::printf(" %7.2fx%s", target, ratio <= target ? "" : "  missed");
        std::printf("\n");
    }

    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char *argv[])
{
    std::vector<char *> arguments(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    arguments.push_back(interleave.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
