#include "cli/ScanSession.h"

#include <chrono>
#include <cstdio>
#include <string>

#include <QEventLoop>

#include "cli/TerminalText.h"
#include "foundation/ByteFormat.h"
#include "store/CleanerStore.h"
#include "platform/Terminal.h"

namespace {

double fractionDone(const CleanerStore& store, Module module)
{
    const auto targets = module.scanTargets();
    double sum = 0;
    for (Module target : targets)
        sum += store.progress(target);
    return sum / static_cast<double>(targets.size());
}

// Redraws at most twenty times a second: the terminal is slower than the scan.
class ProgressLine {
public:
    ProgressLine(const CleanerStore& store, Module module) : store_(store), module_(module) {}

    void draw()
    {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastDrawn_ < std::chrono::milliseconds(50))
            return;
        lastDrawn_ = now;
        const std::string found = ByteFormat::string(store_.foundBytes(module_), ByteFormat::Style::file).toStdString();
        // The path is a file name's bytes: escaped, it cannot rewrite the terminal.
        std::string line = std::to_string(static_cast<int>(fractionDone(store_, module_) * 100)) + "%  " + found + "  " +
                           TerminalText::path(store_.currentPath());
        const auto width = static_cast<std::size_t>(platform::terminalWidth(2) - 1);
        if (line.size() > width) {
            // Cut at the start of a character, never inside one.
            std::size_t end = width;
            while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
                --end;
            line.resize(end);
        }
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        std::fflush(stderr);
    }

    void clear() const { std::fprintf(stderr, "\r\033[K"); }

private:
    const CleanerStore& store_;
    Module module_;
    std::chrono::steady_clock::time_point lastDrawn_{};
};

} // namespace

void runScan(CleanerStore& store, Module module, bool showProgress)
{
    QEventLoop loop;
    ProgressLine line(store, module);
    QObject::connect(&store, &CleanerStore::phaseChanged, &loop, [&](Module changed) {
        if (changed == module && store.phase(module) == ScanPhase::ready())
            loop.quit();
    });
    if (showProgress) {
        QObject::connect(&store, &CleanerStore::progressChanged, &loop, [&] { line.draw(); });
        QObject::connect(&store, &CleanerStore::currentPathChanged, &loop, [&] { line.draw(); });
    }
    store.scan(module);
    loop.exec();
    if (showProgress)
        line.clear();
}
