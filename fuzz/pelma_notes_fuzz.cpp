// Arbitrary bytes as a note file of the sticky-note program and as a picture
// set's speed file: reading never fails, and a note written back reads as
// what was written.
#include "extras/slideshow/PictureFolders.h"
#include "pelma/NoteFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace vesk;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    Note note = NoteFile::parse(bytes);
    // Normalised once (one-line date, sane place), it keeps its form.
    const QByteArray once = NoteFile::format(note);
    if (NoteFile::format(NoteFile::parse(once)) != once)
        std::abort();
    if (!note.place.isEmpty()
        && (note.place.width() < NoteFile::MinSide || note.place.width() > NoteFile::MaxSide))
        std::abort();
    PictureFolders::speedFromText(bytes);
    return 0;
}
