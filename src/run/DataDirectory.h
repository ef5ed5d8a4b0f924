#pragma once

namespace pathloom {

// Puts every per-user folder (data, caches, settings, documents) under the folder given with
// "--data-dir DIR" on a program's command line, before anything reads them, so that runs and
// tests with folders of their own never meet.
class DataDirectory {
public:
    static void useFromArguments(int argc, char* argv[]);
};

}  // namespace pathloom
