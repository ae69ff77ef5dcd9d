#include "Import/Plugin/ImportGate.h"

#include <utility>

void ImportGate::whenOpen(std::function<void()> upload)
{
    if (!upload) return;
    switch (m_state) {
    case State::open: upload(); break;
    case State::waiting: m_held.push_back(std::move(upload)); break;
    case State::closed: break;
    }
}

void ImportGate::open()
{
    if (m_state != State::waiting) return;
    m_state = State::open;
    std::vector<std::function<void()>> held = std::move(m_held);
    m_held.clear();
    for (auto& upload : held) {
        // An upload may fail at once and close the gate; the ones after it must then stay unsent.
        if (m_state != State::open) break;
        upload();
    }
}

void ImportGate::close()
{
    m_state = State::closed;
    m_held.clear();
}
