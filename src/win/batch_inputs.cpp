#include "win/batch_inputs.h"

#include <windows.h>

#include <algorithm>

#include "win/system_names.h"
#include "win/system_rules.h"
#include "win/wave_file_reader.h"

namespace wendle {

namespace {

class Finder {
  public:
    void Name(const std::u16string& path) {
        const DWORD attributes = GetFileAttributesW(ToWide(path).data());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            ++found_.leftOut.missing;
        } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            Folder(path);
        } else {
            File(path);
        }
    }

    BatchInputs Found() { return std::move(found_); }

  private:
    void Folder(const std::u16string& folder) {
        std::u16string prefix = folder;
        if (!prefix.empty() && prefix.back() != u'\\') prefix += u'\\';
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW(ToWide(prefix + u"*").data(), &entry);
        if (search == INVALID_HANDLE_VALUE) return;
        const DWORD skipped =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        do {
            if (!(entry.dwFileAttributes & skipped)) File(prefix + FromWide(entry.cFileName));
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }

    void File(const std::u16string& path) {
        std::string narrow;
        if (!NarrowSystemPath(path, &narrow)) {
            ++found_.leftOut.unnamed;
            return;
        }
        // A file named twice (itself and its folder) is encoded once.
        std::string key = SameFileNameKey(narrow);
        const auto at = std::lower_bound(seen_.begin(), seen_.end(), key);
        if (at != seen_.end() && *at == key) return;
        seen_.insert(at, std::move(key));
        WaveFile wave = ReadWaveFile(narrow);
        if (!wave.isWave) {
            ++found_.leftOut.notWave;
            return;
        }
        found_.sources.push_back(
            {std::move(narrow), NarrowShownText(WideFileName(path), '_'), std::move(wave)});
    }

    BatchInputs found_;
    std::vector<std::string> seen_;  // sorted
};

}  // namespace

BatchInputs FindBatchInputs(const std::vector<std::u16string>& names) {
    Finder finder;
    for (const std::u16string& name : names) finder.Name(name);
    return finder.Found();
}

std::size_t ExistingEntries(const std::vector<std::u16string>& names, bool* anyFolder) {
    std::size_t existing = 0;
    *anyFolder = false;
    for (const std::u16string& name : names) {
        const DWORD attributes = GetFileAttributesW(ToWide(name).data());
        if (attributes == INVALID_FILE_ATTRIBUTES) continue;
        ++existing;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) *anyFolder = true;
    }
    return existing;
}

}  // namespace wendle
