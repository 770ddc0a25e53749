// Keeps a second copy of the program from running beside the first.
#pragma once

void MultRunStartup();
void MultRunShutdown();
