// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

// Starts programs one after another and times each from the moment it is
// launched until its first frame is on the screen. A frame counts as shown
// when every watched screen pixel has the colour the finished window gives
// it, so nothing in the programs themselves has to announce it. The resident
// set is read from /proc at that same moment.
//
//   tolvane_startup_probe RUNS WARMUPS NAME PATH PIXELS [NAME PATH PIXELS]...
//
// PIXELS is a list like "25,67=ffffc0;320,362=000000" in screen coordinates.
// Programs take turns, in reversed order on every other round so neither
// always follows the other. One line is printed per measured launch:
//   run NAME MILLISECONDS KILOBYTES
// The exit status is 0 only when every launch showed its frame in time.

namespace {

using Clock = std::chrono::steady_clock;

struct Pixel {
    int x;
    int y;
    QRgb colour;
};

struct Program {
    std::string name;
    std::string path;
    std::vector<Pixel> pixels;
};

bool ParsePixels(const std::string &text, std::vector<Pixel> &pixels)
{
    for (const QString &item : QString::fromStdString(text).split(QLatin1Char(';'))) {
        const QStringList placeAndColour = item.split(QLatin1Char('='));
        if (placeAndColour.size() != 2)
            return false;
        const QStringList place = placeAndColour[0].split(QLatin1Char(','));
        if (place.size() != 2)
            return false;
        bool xOk = false;
        bool yOk = false;
        bool colourOk = false;
        const int x = place[0].toInt(&xOk);
        const int y = place[1].toInt(&yOk);
        const uint colour = placeAndColour[1].toUInt(&colourOk, 16);
        if (!xOk || !yOk || !colourOk)
            return false;
        pixels.push_back({x, y, static_cast<QRgb>(colour & 0xffffffu)});
    }
    return !pixels.empty();
}

// A count from the command line, or -1 when it is not one.
int Count(const char *text)
{
    bool ok = false;
    const int value = QByteArray(text).toInt(&ok);
    return ok && value >= 0 ? value : -1;
}

bool AllShown(QScreen *screen, const std::vector<Pixel> &pixels)
{
    for (const Pixel &pixel : pixels) {
        const QImage image = screen->grabWindow(0, pixel.x, pixel.y, 1, 1).toImage();
        if (image.isNull() || (image.pixel(0, 0) & 0xffffffu) != pixel.colour)
            return false;
    }
    return true;
}

long ResidentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

pid_t Launch(const std::string &path)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char> file(path.begin(), path.end());
    file.push_back('\0');
    char *argv[] = {file.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, file.data(), &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

struct Result {
    bool ok = false;
    double milliseconds = 0;
    long kilobytes = 0;
};

Result Measure(QScreen *screen, const Program &program)
{
    using namespace std::chrono_literals;
    Result result;
    // The last window must be gone before the next launch, or its pixels
    // would count as the new frame.
    for (int i = 0; i < 2000 && AllShown(screen, program.pixels); ++i)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(100ms);

    const Clock::time_point start = Clock::now();
    const pid_t pid = Launch(program.path);
    if (pid < 0) {
        std::fprintf(stderr, "cannot start %s\n", program.path.c_str());
        return result;
    }
    while (Clock::now() - start < 20s) {
        if (AllShown(screen, program.pixels)) {
            const Clock::time_point shown = Clock::now();
            result.kilobytes = ResidentKilobytes(pid);
            result.milliseconds = std::chrono::duration<double, std::milli>(shown - start).count();
            result.ok = true;
            break;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before its window was shown\n", program.name.c_str());
            return result;
        }
        std::this_thread::sleep_for(1ms);
    }
    if (!result.ok)
        std::fprintf(stderr, "%s showed no frame within 20 s\n", program.name.c_str());
    Stop(pid);
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 6 || (argc - 3) % 3 != 0) {
        std::fprintf(stderr, "usage: %s RUNS WARMUPS NAME PATH PIXELS [NAME PATH PIXELS]...\n",
                     argv[0]);
        return 2;
    }
    const int runs = Count(argv[1]);
    const int warmups = Count(argv[2]);
    if (runs < 1 || warmups < 0) {
        std::fprintf(stderr, "RUNS must be a count above 0 and WARMUPS a count\n");
        return 2;
    }
    std::vector<Program> programs;
    for (int i = 3; i + 2 < argc; i += 3) {
        Program program{argv[i], argv[i + 1], {}};
        if (!ParsePixels(argv[i + 2], program.pixels)) {
            std::fprintf(stderr, "bad pixel list: %s\n", argv[i + 2]);
            return 2;
        }
        programs.push_back(program);
    }

    QGuiApplication app(argc, argv);
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "no screen\n");
        return 2;
    }

    bool allOk = true;
    for (int round = 0; round < warmups + runs; ++round) {
        std::vector<const Program *> order;
        order.reserve(programs.size());
        for (const Program &program : programs)
            order.push_back(&program);
        if (round % 2 == 1)
            std::reverse(order.begin(), order.end());
        for (const Program *program : order) {
            const Result result = Measure(screen, *program);
            allOk = allOk && result.ok;
            if (result.ok && round >= warmups) {
                std::printf("run %s %.2f %ld\n", program->name.c_str(), result.milliseconds,
                            result.kilobytes);
                std::fflush(stdout);
            }
        }
    }
    return allOk ? 0 : 1;
}
