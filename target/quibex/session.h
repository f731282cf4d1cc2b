// A debugging session's files: the binary image and the listing of the same
// link, loaded as one pair. Both are read and checked against each other
// before either replaces what is loaded, so that the loaded image and the
// listing always come from one link: a pair that cannot be read, or whose
// listing does not match its image, leaves the loaded pair as it was. An
// image with no listing beside it loads alone (no source lines).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "target/seriallink/listing.h"

// The listing beside an image: the path with ".lst" in place of the text
// from its last '.' (".lst" appended when the name has no '.').
std::string listing_path_for(const std::string& image_path);
// Whether the text from the path's last '.' begins with ".bin" (any case).
bool has_bin_extension(const std::string& path);

struct StagedSession {
    std::string image_path;
    std::string listing_path;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> flags;
    int32_t load_address = 0;
    ListingIndex index{};
    bool read = false;         // the index holds a listing read
    bool has_listing = false;  // false: the image loads without its listing

    StagedSession() = default;
    ~StagedSession();
    StagedSession(const StagedSession&) = delete;
    StagedSession& operator=(const StagedSession&) = delete;
};

// Reads the image and its listing into a staged session; 0, or -1 after
// the reason was shown through report_error:
//   "File '%s' does not exist!" (code 0, the image)
//   "File type must be '*.bin'" (code 1)
//   the image loader's messages, and a listing that cannot be read or does
//   not belong to the image (code 0, the listing reader's text).
// A listing that does not exist is shown as "File '%s' does not exist!"
// (code 0, the listing path) and the image is staged alone: 0 with
// has_listing false.
int stage_session(const std::string& image_path, StagedSession* staged);

// Makes the staged pair the loaded one: the target image (not downloaded)
// and the global listing (an empty one for an image staged alone). The views that showed the old listing must be
// gone before.
void commit_session(StagedSession* staged);

// Whether a file exists (and is no folder).
bool session_file_exists(const std::string& path);
