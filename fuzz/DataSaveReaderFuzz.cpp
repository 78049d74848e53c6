// Any bytes as a Data Save file (".dsv"): opening it never crashes or reads past the file, and a file
// with an index is written again with the same sections in the same order, every section the database
// does not hold (label formats, other files, keyboard presets) byte for byte as it was.
//
// Input: byte 0 the market and Korean font option (FuzzMainFrame), byte 1 bit 0 the item record's long
// form and bit 1 the same-number rule; the file.
#include "FuzzMainFrame.h"
#include "FuzzRequire.h"

#include "comms/filelink/DataSaveFile.h"
#include "comms/filelink/DataSaveIndex.h"
#include "db/site/LinkRoles.h"
#include "db/plu/PluDatabase.h"
#include "scaledata/ScaleDataTables.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

using varnel::fuzz::Require;

constexpr std::size_t kSettingsBytes = 2;

const std::filesystem::path& WorkDirectory()
{
    static const std::filesystem::path directory = [] {
        auto path = std::filesystem::temp_directory_path() / ("dsv-fuzz-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return directory;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::optional<varnel::DataSaveIndex> IndexOf(const std::string& path)
{
    auto file = varnel::RealFileSystem().Open(path, varnel::FileAccess::Read);
    Require(file.HasValue());
    auto index = varnel::ReadDataSaveIndex(**file, varnel::kDataSaveMaxSections);
    Require(index.HasValue());
    return *index;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kSettingsBytes) return 0;
    varnel::fuzz::FuzzMainFrame frame(data[0]);
    frame.m_setup.m_itemRecordExtension = data[1] & 1;
    frame.m_setup.m_overwriteExisting = (data[1] >> 1) & 1;
    const std::string source = (WorkDirectory() / "source.dsv").string();
    const std::string target = (WorkDirectory() / "target.dsv").string();
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        const auto length = static_cast<std::streamsize>(size - kSettingsBytes);
        out.write(reinterpret_cast<const char*>(data + kSettingsBytes), length);
    }

    varnel::RegisterScaleDataTables({frame, frame, frame});  // the message and coupon sections go to their tables
    varnel::CPluDatabase database;
    database.CreateAllTables();
    varnel::CDataSaveStore store(database, nullptr, frame.m_setup);
    varnel::CDataSaveFiles files(store, varnel::LinkRoles::Of(frame));
    const auto before = IndexOf(source);
    Require(files.LoadDataSaveFile(source) == before.has_value());
    if (!before) return 0;

    Require(frame.m_currentDataSaveFile == source);
    std::filesystem::remove(target);
    Require(files.WriteDataSaveFile(target));
    const auto after = IndexOf(target);
    const std::string old = ReadAll(source);
    const std::string rewritten = ReadAll(target);
    // Sections that all came out empty leave an index at the very start, which no reader takes.
    if (!after) {
        Require(rewritten.size() == 2 + varnel::kDataSaveEntrySize * before->sections.size());
        return 0;
    }
    Require(after->sections.size() == before->sections.size());
    for (std::size_t i = 0; i < before->sections.size(); ++i) {
        const varnel::CDataSaveSection& was = before->sections[i];
        const varnel::CDataSaveSection& is = after->sections[i];
        Require(was.type == is.type && was.name == is.name && was.reserved == is.reserved);
        if (store.Holds(was.type) && varnel::IsImportableType(was.type)) continue;
        Require(old.substr(before->SectionStart(i), before->SectionEnd(i) - before->SectionStart(i)) ==
                rewritten.substr(after->SectionStart(i), after->SectionEnd(i) - after->SectionStart(i)));
    }
    return 0;
}
