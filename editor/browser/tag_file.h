// The tag file: a plain-text listing of every symbol the browser holds, one
// line per record, for the user and for other tools.
#pragma once

#include <string>

#include "editor/symbols/symbol_info.h"

// Where the tag file goes: the given path; else, with a workspace open, the
// workspace path with its extension replaced by ".tag" (appended when its
// file name has none); else the profile's path with its last three
// characters replaced by "tag".
std::string TagFilePath(const std::string& given, const std::string& workspace, const std::string& profile);

// The file's text, lines ended by CR LF: defines, enums, types, functions,
// variables and declarations, each map in its order, each name's records in
// list order.
std::string FormatTagFile(const CBrowserMaps& maps);

enum tag_file_result {
    TAG_FILE_OK = 0,
    TAG_FILE_NO_PATH,
    TAG_FILE_WRITE_FAILED, // nothing written; an older file stays as it was
};

// Writes the tag file through a temporary beside it and a rename; on failure
// *why (when given) says what went wrong.
tag_file_result WriteTagFile(const std::string& path, const CBrowserMaps& maps, std::string* why = nullptr);
