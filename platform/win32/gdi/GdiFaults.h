// Test hooks of the drawing layer: make a chosen creation of a pen, brush, bitmap, font or
// device context fail, and count the objects still alive so a leak shows.
#pragma once

namespace zorva::platform {

enum class GdiKind { Pen, Brush, Bitmap, Font, DC };

// The nth next creation of that kind (1 = the very next) returns NULL; later ones succeed.
// A second call for the same kind replaces the failure still pending.
void failGdiCreation(GdiKind kind, int nth = 1);
void clearGdiFaults();
// Objects of that kind created and not yet deleted (stock objects do not count).
int liveGdiObjects(GdiKind kind);

// Used by the creators: true when this creation must fail.
bool takeGdiFault(GdiKind kind);
// Used by the device-context table, which keeps its own objects.
void countGdiLive(GdiKind kind, int delta);

}  // namespace zorva::platform
