#pragma once
// Hands memory that was freed back to the system. Reading a large tree allocates the
// file's bytes and a list of every line, then frees them; without this the process
// keeps that memory for the rest of the run.

void ReturnFreedMemory();
