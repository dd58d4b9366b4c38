#include "CVelmoraApp.h"

int main(int argc, char** argv) {
    CVelmoraApp app;
    return app.Run(argc, argv);
}
