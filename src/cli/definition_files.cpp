#include "cli/definition_files.h"

#include <algorithm>

#include "editing/file_name_rules.h"
#include "media/media_file.h"

namespace {

bool isPlainAscii(const std::string& name)
{
    return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::vector<FileFlag> flagsOf(const DefinitionFile& entry, double maxSeconds)
{
    std::vector<FileFlag> flags;
    if (!entry.file) {
        flags.push_back(FileFlag::Missing);
    } else {
        if (!entry.media.decodes())
            flags.push_back(FileFlag::Undecodable);
        if (isSoundFormat(entry.media.format) && entry.media.seconds && *entry.media.seconds > maxSeconds)
            flags.push_back(FileFlag::TooLong);
        if (entry.media.format == MediaFormat::WavOther)
            flags.push_back(FileFlag::NonPcm);
    }
    if (!isPlainAscii(entry.name))
        flags.push_back(FileFlag::NonAsciiName);
    if (entry.file && entry.file->caseDiffers)
        flags.push_back(FileFlag::CaseMismatch);
    return flags;
}

} // namespace

const char* flagKeyword(FileFlag flag)
{
    switch (flag) {
    case FileFlag::Missing:
        return "missing";
    case FileFlag::Undecodable:
        return "undecodable";
    case FileFlag::TooLong:
        return "too-long";
    case FileFlag::NonPcm:
        return "non-pcm";
    case FileFlag::NonAsciiName:
        return "non-ascii-name";
    case FileFlag::CaseMismatch:
        return "case-mismatch";
    }
    return "";
}

std::vector<DefinitionFile> examineDefinitionFiles(
    const BmsBms& document, const std::string& chartPath, FileLookup& folder, double maxSeconds)
{
#ifdef _WIN32
    const std::string directory = directoryPart(chartPath, true);
#else
    const std::string directory = directoryPart(chartPath, false);
#endif
    std::vector<DefinitionFile> entries;
    for (DefinitionKind kind : kDefinitionKinds) {
        const BmsRegistArray& table = *document.table(kind);
        for (int i = 0; i < BmsRegistArray::kSlotCount; ++i) {
            const BmsWord index(i);
            if (!table.has(index))
                continue;
            DefinitionFile entry { kind, index, table.get(index), std::nullopt, {}, {} };
            bool otherExtension = false;
            entry.file = findDefinitionFile(folder, kind, entry.name, otherExtension);
            if (entry.file)
                entry.media = probeMediaFile(directory + entry.file->name, ProbeDepth::Decode);
            entry.flags = flagsOf(entry, maxSeconds);
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}
