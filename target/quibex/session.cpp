// Loading an image and its listing as one pair.
#include "target/quibex/session.h"

#include <strings.h>
#include <sys/stat.h>

#include "common/report_error.h"
#include "target/seriallink/target_image.h"

StagedSession::~StagedSession()
{
    if (read)
        listing_release(&index);
}

std::string listing_path_for(const std::string& image_path)
{
    size_t dot = image_path.rfind('.');
    size_t slash = image_path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return image_path + ".lst";
    return image_path.substr(0, dot) + ".lst";
}

bool has_bin_extension(const std::string& path)
{
    size_t dot = path.rfind('.');
    return dot != std::string::npos && strncasecmp(path.c_str() + dot, ".bin", 4) == 0;
}

bool session_file_exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

int stage_session(const std::string& image_path, StagedSession* staged)
{
    if (!session_file_exists(image_path)) {
        report_error(0, "File '%s' does not exist!", image_path.c_str());
        return -1;
    }
    if (!has_bin_extension(image_path)) {
        report_error(1, "File type must be '*.bin'");
        return -1;
    }
    std::string listing_path = listing_path_for(image_path);
    staged->image_path = image_path;
    staged->listing_path = listing_path;
    if (read_binary_image(image_path.c_str(), 0, 0, &staged->bytes, &staged->load_address) != 0)
        return -1;
    staged->flags.assign(staged->bytes.size(), 0);
    if (!session_file_exists(listing_path)) {
        // The image is kept and can be downloaded and run; only the source
        // lines are missing.
        report_error(0, "File '%s' does not exist!", listing_path.c_str());
        return 0;
    }
    staged->has_listing = true;
    std::string error;
    if (listing_read(listing_path.c_str(), staged->bytes.data(), staged->load_address,
                     static_cast<int32_t>(staged->bytes.size()), staged->flags.data(), &staged->index,
                     &error) != 0) {
        report_error(0, "%s", error.c_str());
        return -1;
    }
    staged->read = true;
    return 0;
}

void commit_session(StagedSession* staged)
{
    image_replace(&staged->bytes, &staged->flags, staged->load_address);
    free_listing();
    listing = staged->index;
    staged->index = ListingIndex{};
    staged->read = false;
}
