// make-zorvane-pictures <folder>: draws the demonstration's pictures and
// writes them into the folder, replacing what is there.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include <QGuiApplication>

#include "demo/resources/pictures.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make-zorvane-pictures <folder>\n";
        return 2;
    }
    // Drawing needs fonts, not a screen: the build may run without one.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);

    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    for (const auto& file : zorvane::demonstrationPictures()) {
        const std::filesystem::path path = folder / file.name;
        const std::filesystem::path partial = folder / (file.name + ".part");
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
            if (!out.flush()) {
                std::cerr << "make-zorvane-pictures: cannot write " << partial << "\n";
                return 1;
            }
        }
        std::filesystem::rename(partial, path, error);
        if (error) {
            std::cerr << "make-zorvane-pictures: cannot write " << path << ": " << error.message() << "\n";
            return 1;
        }
    }
    return 0;
}
