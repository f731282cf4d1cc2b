// CProjectFiles: the open workspace's project files in stored form
// (relative to the workspace's folder where they are inside it), in list
// order, and those of them that are not open. Paths compare without regard
// to case.
#pragma once

#include <string>
#include <vector>

class CProjectFiles {
public:
    // The lists themselves, for the dialog that edits them and for the
    // workspace file's reader and writer.
    std::vector<std::string>& Files() { return files_; }
    const std::vector<std::string>& Files() const { return files_; }
    std::vector<std::string>& Closed() { return closed_; }
    const std::vector<std::string>& Closed() const { return closed_; }

    void Clear();
    bool Contains(const std::string& stored) const;
    // Appends a file that the project does not list yet.
    void Add(const std::string& stored);
    // Drops a file from the project and from the closed files.
    void Remove(const std::string& stored);
    void ForgetClosed(const std::string& stored);
    // A project file that opens is no longer among the closed files; one
    // that closes is again, so that the functions bar keeps listing it.
    // Files outside the project are left alone.
    void TrackClosed(const std::string& stored, bool closing);

private:
    std::vector<std::string> files_;
    std::vector<std::string> closed_;
};
