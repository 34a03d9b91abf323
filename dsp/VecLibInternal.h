// Reports shared by the toolkit's units; not for users of the toolkit.
#pragma once

// "<routine>: (8) Size must be an integer power of 2.", audio-safe path.
void vecLibReportSizeError(const char* routine);

// "V_vector: (1) Not enough memory."; mayBeAudioThread as for the reporter.
void vecLibReportNotEnoughMemory(bool mayBeAudioThread);
