#pragma once

// Pikvale: a folder picker that takes several folders at once, as a plain C library that the
// program loads only while folders are being chosen.

#if defined(_WIN32)
#define PIKVALE_API __declspec(dllexport)
#else
#define PIKVALE_API __attribute__((visibility("default")))
#endif

extern "C" {

// Shows the picker modally with title (UTF-8). Returns the chosen folders' full paths joined by
// ";" (UTF-8), or "" when nothing was chosen. The buffer belongs to the caller, who hands it
// back to PikvaleRelease.
PIKVALE_API const char *Pikvale(const char *title);

// Frees a buffer returned by Pikvale; null is allowed.
PIKVALE_API void PikvaleRelease(const char *buffer);

// Why the last call of Pikvale could not show its dialog (UTF-8), or "" when it was shown, so
// that a cancelled choice and a dialog that never opened can be told apart. Owned by the library.
PIKVALE_API const char *PikvaleFailure();
}
