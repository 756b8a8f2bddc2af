#include <iostream>

int main(int argc, char** argv) {
    (void)argc;
    (void)argv;
    std::cout << "usage: zentrel-cli COMMAND [--home DIR]\n";
    return 0;
}
