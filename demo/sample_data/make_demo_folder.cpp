// make-demo-folder <folder>: creates the folder when needed and writes into it
// the demonstration's data files (CUSTOMER, STUDENTS, TEACHERS, CLASSES,
// GOODS, replacing any that are there) and its sample files.

#include <filesystem>
#include <iostream>

#include "demo/sample_data/sample_files.h"
#include "demo/sample_data/sample_records.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-demo-folder <folder>\n";
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    std::filesystem::current_path(argv[1], error);
    if (error) {
        std::cerr << "make-demo-folder: cannot enter " << argv[1] << ": " << error.message() << "\n";
        return 1;
    }
    for (const std::string& failure : {zorvane::writeSampleRecords(), zorvane::writeSampleFiles()}) {
        if (!failure.empty()) {
            std::cerr << "make-demo-folder: " << failure << "\n";
            return 1;
        }
    }
    return 0;
}
