// quillon-initgen DESCRIPTION OUTPUT-FOLDER: writes the model's two initial
// clone files from the readable description of a new radio's defaults.

#include "DefaultsDescription.h"
#include "InitialLayoutWriter.h"

#include "clonefile/CloneFilePolicy.h"
#include "clonefile/cmcVrcFile.h"
#include "image/WorkingLayout.h"
#include "image/cmcEeprom.h"

#include <QCoreApplication>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool readText(const std::string &path, std::string &text)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

int writeInitialFile(const DefaultsDescription &defaults, int modelType, const std::string &folder)
{
    const std::string name = defaults.FileName(modelType);
    if (name.empty()) {
        std::fprintf(stderr, "quillon-initgen: no file name for model type %d\n", modelType);
        return 1;
    }
    cmcEeprom image;
    image.SetSize(working_layout::kImageSize);
    defaults.Apply(modelType, image);
    writeInitialRadioLayout(image);
    cmcVrcFile file;
    file.SetImage(&image);
    clone_file_policy::applyTo(file);
    const std::string path = folder + "/" + name;
    if (file.Write(path, clone_file_policy::fileRanges()) != cmcVrcFile::ErrNone) {
        std::fprintf(stderr, "quillon-initgen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillon-initgen DESCRIPTION OUTPUT-FOLDER\n");
        return 2;
    }
    std::string text;
    if (!readText(argv[1], text)) {
        std::fprintf(stderr, "quillon-initgen: cannot read %s\n", argv[1]);
        return 1;
    }
    DefaultsDescription defaults;
    std::string error;
    if (!defaults.Parse(text, error)) {
        std::fprintf(stderr, "quillon-initgen: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    for (int modelType : {0, 1}) {
        if (writeInitialFile(defaults, modelType, argv[2]) != 0)
            return 1;
    }
    return 0;
}
