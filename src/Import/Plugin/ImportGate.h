#pragma once

#include <functional>
#include <vector>

// Holds back the resource uploads of one upload run until the service has accepted the run's
// import request, which creates the artboards those resources belong to, and stops them for good
// once the run has ended in failure. Main thread only.
class ImportGate {
public:
    enum class State { waiting, open, closed };

    State state() const { return m_state; }
    bool isClosed() const { return m_state == State::closed; }

    // Runs `upload` at once when the gate is open, keeps it until open() while waiting, and drops
    // it when the gate is closed.
    void whenOpen(std::function<void()> upload);

    // The import was accepted: the held uploads run, in the order they arrived.
    void open();
    // The run failed: held uploads are dropped and later ones are never run.
    void close();

private:
    State m_state = State::waiting;
    std::vector<std::function<void()>> m_held;
};
