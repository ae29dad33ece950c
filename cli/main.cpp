#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("vantrel-cli %s\n", VANTREL_VERSION);
        return 0;
    }
    std::printf("usage: vantrel-cli COMMAND ...\n");
    return 0;
}
