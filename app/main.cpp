#include "app/StartUp.h"

int main(int argc, char** argv) {
    return Pellwin::runTolva(argc, argv);
}
