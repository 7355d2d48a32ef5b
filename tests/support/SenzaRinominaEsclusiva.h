#pragma once
// A mount (some network and FUSE file systems) that can neither rename without replacing nor
// make a hard link: while one of these lives, RenameFile and WriteNewFile take names as they do
// there.
#include "platform/system/FileSystem.h"

class SenzaRinominaEsclusiva {
public:
    SenzaRinominaEsclusiva() { sys::ForceNameReservation(true); }
    ~SenzaRinominaEsclusiva() { sys::ForceNameReservation(false); }
    SenzaRinominaEsclusiva(const SenzaRinominaEsclusiva&) = delete;
    SenzaRinominaEsclusiva& operator=(const SenzaRinominaEsclusiva&) = delete;
};
