// Build-time tool: writes the factory data set into the folder given on the command line.
#include <cstdio>

#include "platform/files.h"
#include "tools/factory/factory_dataset.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-dataset FOLDER\n");
        return 2;
    }
    const std::string failure = ventrio::WriteFactoryDataSet(ventrio::PathFromUtf8(argv[1]));
    if (!failure.empty()) {
        std::fprintf(stderr, "make-dataset: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
