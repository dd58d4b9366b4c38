#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>
#include <stdexcept>

#include "AnsiCodePage.h"
#include "CLangIni.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "C.UTF-8");
    AnsiCodePage::SetCodeSet("UTF-8");
    // A missing language file must not end the test process.
    CLangIni::SetMissingFileHandler([] { throw std::runtime_error("have not found file!"); });
    return RUN_ALL_TESTS();
}
