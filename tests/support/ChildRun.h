#pragma once

#include <QByteArray>

#include <functional>

// Runs a piece of a test in a forked child, so that what it does to the
// process (a signal, a limit, a hang) cannot take the test with it.
struct ChildRun
{
    // What the child's body returned, when it finished.
    QByteArray output;
    bool finished = false;
    // The signal that ended the child, or 0; SIGKILL after the time limit.
    int signal = 0;

    static ChildRun of(const std::function<QByteArray()> &body, int seconds = 10);
};
