// Program start-up: from the process's arguments to TSaver::Run.
#pragma once

// Runs the whole program; always returns exit status 0.
int CapsaroMain(int argc, char** argv);
