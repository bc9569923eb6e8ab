// The capsaro executable.
#include "saver/startup.h"

int main(int argc, char** argv) { return CapsaroMain(argc, argv); }
