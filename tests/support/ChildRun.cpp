#include "ChildRun.h"

#include <array>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

ChildRun ChildRun::of(const std::function<QByteArray()> &body, int seconds)
{
    std::array<int, 2> channel{};
    if (pipe(channel.data()) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const QByteArray output = body();
        const bool sent
            = write(channel[1], output.constData(), std::size_t(output.size())) == output.size();
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    ChildRun run;
    pollfd readable{channel[0], POLLIN, 0};
    std::array<char, 4096> buffer{};
    bool ended = false;
    while (!ended && poll(&readable, 1, seconds * 1000) > 0) {
        const ssize_t length = read(channel[0], buffer.data(), buffer.size());
        ended = length <= 0;
        if (!ended)
            run.output.append(buffer.data(), length);
    }
    close(channel[0]);
    if (!ended)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    run.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return run;
}
