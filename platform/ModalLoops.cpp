#include "ModalLoops.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <vector>

namespace {

std::vector<QEventLoop*>& Loops() {
    static std::vector<QEventLoop*> loops;
    return loops;
}

bool g_quitReceived = false;
int g_quitCode = 0;

}  // namespace

void ModalLoops::Push(QEventLoop* loop) { Loops().push_back(loop); }

void ModalLoops::Pop(QEventLoop* loop) {
    auto& loops = Loops();
    loops.erase(std::remove(loops.begin(), loops.end(), loop), loops.end());
}

void ModalLoops::PostQuit(int exitCode) {
    QTimer::singleShot(0, qApp, [exitCode] {
        g_quitReceived = true;
        g_quitCode = exitCode;
        for (QEventLoop* loop : Loops()) loop->exit(0);
    });
}

bool ModalLoops::QuitReceived() { return g_quitReceived; }

int ModalLoops::QuitCode() { return g_quitCode; }

void ModalLoops::ResetQuit() {
    g_quitReceived = false;
    g_quitCode = 0;
}

void PostQuitMessage(int exitCode) { ModalLoops::PostQuit(exitCode); }
