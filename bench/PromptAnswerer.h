#pragma once

#include <QTimer>
#include <chrono>

// While it lives, presses OK on every caution prompt as soon as the event loop
// is idle (a zero-delay timer), and counts the prompts it answered.
class PromptAnswerer {
public:
    PromptAnswerer();
    ~PromptAnswerer();
    PromptAnswerer(const PromptAnswerer&) = delete;
    PromptAnswerer& operator=(const PromptAnswerer&) = delete;

    int Answered() const { return m_answered; }
    // When the last prompt answered was first seen shown.
    std::chrono::steady_clock::time_point LastShown() const { return m_lastShown; }

private:
    void Poll();

    QTimer m_timer;
    int m_answered = 0;
    std::chrono::steady_clock::time_point m_lastShown;
};
