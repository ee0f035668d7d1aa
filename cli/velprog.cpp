// velprog: the command-line face of velcore. (Commands are added as the core grows.)
#include <cstdio>

int main() {
    std::fputs("usage: velprog <command> ...\n", stderr);
    return 2;
}
