#pragma once

#include <string>
#include <vector>

// Something that went wrong with a file the session reads or writes, for a window to put into
// words.
struct FileProblem {
    enum class Kind {
        KeptAside, // could not be read; renamed to `aside`, and the work goes on without it
        Stuck,     // could not be read nor renamed; nothing is saved over it in this run
        NotSaved,  // could not be written; the change lasts for this run only
        NotRead,   // a file the user chose could not be read
        NotText,   // a file the user chose is in no encoding the program reads
        // could not be opened (no permission, typically); left as it is, and nothing is saved
        // over it in this run
        Inaccessible,
        // found unreadable when saving; renamed to `aside`, and the work saved in its place
        Replaced,
        // not written, as it would pass the size the program reads back; the file stays as it
        // was, and the change lasts until a save fits
        TooBig,
    };

    Kind kind;
    std::string file;  // the file's name in the settings folder, or the path the user chose
    std::string aside; // for KeptAside: the name the file has now

    bool operator==(const FileProblem&) const = default;
};

// What an operation did: its value, and what went wrong with which file, in the order it
// happened. Where an operation says so, a problem is reported once a run only.
template <typename Value>
struct Outcome {
    Value value{};
    std::vector<FileProblem> problems;
};

// The value of an operation that has nothing to say but its problems.
struct Done {};
