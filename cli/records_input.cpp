#include "cli/records_input.h"

#include "cli/json_text.h"
#include "cli/records_scan.h"
#include "text/keys.h"
#include "text/utf8.h"

namespace mr::cli {
namespace {

using nlohmann::json;

bool unknownMember(const json& object, std::initializer_list<std::string_view> known,
                   const std::string& where, std::string& error) {
    for (const auto& [name, value] : object.items()) {
        bool ok = false;
        for (auto k : known)
            ok |= name == k;
        if (!ok) {
            error = where + ": unknown member \"" + name + "\"";
            return true;
        }
    }
    return false;
}

bool readEntry(const json& e, const std::string& where, DirEntry& entry, std::string& error) {
    if (!e.is_object()) {
        error = where + ": must be an object with \"name\"";
        return false;
    }
    if (unknownMember(e, {"name", "directory", "lastWriteTime", "creationTime", "size"}, where,
                      error))
        return false;
    auto name = e.find("name");
    if (name == e.end() || !name->is_string()) {
        error = where + ": \"name\" must be a string";
        return false;
    }
    entry.name = jsonString(*name);
    if (entry.name.empty()) {
        error = where + ": \"name\" is empty";
        return false;
    }
    if (auto d = e.find("directory"); d != e.end()) {
        if (!d->is_boolean()) {
            error = where + ": \"directory\" must be true or false";
            return false;
        }
        entry.isDirectory = d->get<bool>();
    }
    const std::pair<const char*, uint64_t*> numbers[] = {{"lastWriteTime", &entry.lastWriteTime},
                                                         {"creationTime", &entry.creationTime},
                                                         {"size", &entry.size}};
    for (auto [key, target] : numbers) {
        auto it = e.find(key);
        if (it == e.end())
            continue;
        if (const std::string problem = wholeNumberProblem(*it); !problem.empty()) {
            error = where + ": \"" + key + "\" " + problem;
            return false;
        }
        *target = it->get<uint64_t>();
    }
    return true;
}

bool readFolder(const json& f, const std::string& where, RecordsInput& input, std::string& error) {
    if (!f.is_object()) {
        error = where + ": must be an object with \"path\" and \"entries\"";
        return false;
    }
    if (unknownMember(f, {"path", "entries", "caseInsensitive"}, where, error))
        return false;
    auto path = f.find("path");
    if (path == f.end() || !path->is_string() || path->get_ref<const std::string&>().empty()) {
        error = where + ": \"path\" must be a folder path";
        return false;
    }
    std::u16string folderPath = jsonString(*path);
    FolderListing listing;
    if (auto ci = f.find("caseInsensitive"); ci != f.end()) {
        if (!ci->is_boolean()) {
            error = where + ": \"caseInsensitive\" must be true or false";
            return false;
        }
        listing.caseInsensitive = ci->get<bool>();
    }
    auto entries = f.find("entries");
    if (entries == f.end() || !entries->is_array()) {
        error = where + ": \"entries\" must be an array";
        return false;
    }
    for (size_t i = 0; i < entries->size(); ++i)
        if (!readEntry((*entries)[i], where + ".entries[" + std::to_string(i) + "]",
                       listing.entries.emplace_back(), error))
            return false;
    if (!addFolder(input, folderPath, std::move(listing))) {
        if (folderPath.back() != input.rules.separator)
            folderPath += input.rules.separator;
        error = where + ": the folder " + toUtf8(folderPath) + " is listed twice";
        return false;
    }
    return true;
}

} // namespace

bool addFolder(RecordsInput& input, std::u16string path, FolderListing listing) {
    // Listing asks with the separator at the end, as the records keep folder paths.
    if (path.back() != input.rules.separator)
        path += input.rules.separator;
    auto key = makeKey(path, input.rules.foldCase);
    return input.folders.emplace(std::move(key), std::move(listing)).second;
}

std::optional<RecordsInput> readRecords(std::string_view jsonText, std::string& error) {
    if (auto quick = scanRecords(jsonText))
        return quick;
    return readRecordsTree(jsonText, error);
}

std::optional<RecordsInput> readRecordsTree(std::string_view jsonText, std::string& error) {
    std::string parseError;
    auto doc = parseJson(jsonText, parseError);
    if (!doc) {
        error = "not valid JSON: " + parseError;
        return std::nullopt;
    }
    if (!doc->is_object()) {
        error = "must be a JSON object with \"folders\" and \"paths\"";
        return std::nullopt;
    }
    if (unknownMember(*doc, {"rules", "workingDirectory", "folders", "paths"}, "records", error))
        return std::nullopt;
    RecordsInput input;
    if (auto rules = doc->find("rules"); rules != doc->end()) {
        if (*rules == "posix") {
            input.posixRules = true;
            input.rules = NameRules::posix();
        } else if (*rules != "windows") {
            error = "\"rules\" must be \"windows\" or \"posix\"";
            return std::nullopt;
        }
    }
    if (auto cwd = doc->find("workingDirectory"); cwd != doc->end()) {
        if (!cwd->is_string()) {
            error = "\"workingDirectory\" must be a string";
            return std::nullopt;
        }
        input.workingDirectory = jsonString(*cwd);
    }
    auto folders = doc->find("folders");
    if (folders != doc->end()) {
        if (!folders->is_array()) {
            error = "\"folders\" must be an array";
            return std::nullopt;
        }
        for (size_t i = 0; i < folders->size(); ++i)
            if (!readFolder((*folders)[i], "folders[" + std::to_string(i) + "]", input, error))
                return std::nullopt;
    }
    auto paths = doc->find("paths");
    if (paths == doc->end() || !paths->is_array()) {
        error = "\"paths\" must be an array of the host's paths";
        return std::nullopt;
    }
    for (size_t i = 0; i < paths->size(); ++i) {
        const json& p = (*paths)[i];
        if (!p.is_string()) {
            error = "paths[" + std::to_string(i) + "] must be a string";
            return std::nullopt;
        }
        input.paths.push_back(jsonString(p));
    }
    return input;
}

const FolderListing* RecordsFileSystem::find(const std::u16string& folderPath) const {
    // A Windows folder path names its folder in any case, as the system's listing does.
    auto it = input_.folders.find(makeKey(folderPath, input_.rules.foldCase));
    return it == input_.folders.end() ? nullptr : &it->second;
}

std::optional<FolderListing> RecordsFileSystem::listFolder(const std::u16string& folderPath) {
    if (const FolderListing* listing = find(folderPath))
        return *listing;
    return std::nullopt;
}

bool RecordsFileSystem::foldsCase(const std::u16string& folderPath) {
    const FolderListing* listing = find(folderPath);
    return listing && listing->caseInsensitive;
}

} // namespace mr::cli
