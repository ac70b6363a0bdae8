// What c4d_main does with each action code.
//
//   1 initialise: p1 the host's interface root, p3 the plug-in file's path (8-bit text). Only the
//     first of several calls initialises; -3 when the host is older than the plug-in needs or no
//     path is given, else 1.
//   2 start: registers every plug-in; 1 when all registrations succeeded, else 0.
//   3 end: balances action 1; the last one releases the export flag and the resources. 1.
//   4: 2.
//   6 message, its id in p1: 0 is accepted (1); 1 loads the plug-in's resources (1, or -1 on
//     failure); any other id gives -1.
//   any other action: -1.
#pragma once

#include <cstdint>

int32_t pluginMain(int32_t action, void* p1, void* p2, void* p3);
