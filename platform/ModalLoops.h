#pragma once

class QEventLoop;

// The modal loops running one inside another, and the quit message that ends
// them all.
class ModalLoops {
public:
    static void Push(QEventLoop* loop);
    static void Pop(QEventLoop* loop);
    // Posts the quit message: when it is processed, every running modal loop
    // ends, and loops started afterwards end at once.
    static void PostQuit(int exitCode);
    static bool QuitReceived();
    static int QuitCode();
    // Forgets a processed quit message (tests run several programs in one process).
    static void ResetQuit();
};

// The platform's name for posting the quit message.
void PostQuitMessage(int exitCode);
