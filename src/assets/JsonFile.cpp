#include "assets/JsonFile.hpp"

#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"

#include <fstream>
#include <ios>

bool readJsonFile(const std::string& owner, const std::string& path, nlohmann::json& document)
{
    // A named pipe would hang the open, a folder throws on its first read, a huge file
    // takes the machine's memory: each is refused in the line a missing file gets.
    const std::string refused = notADataFile(path);
    if (!refused.empty()) {
        reportLine(owner + ": Unable to open file " + path + ": " + refused + ".");
        return false;
    }
    std::ifstream file(path);
    if (!file.is_open()) {
        reportLine(owner + ": Unable to open file " + path + ".");
        return false;
    }
    readJsonStream(owner, file, document);
    return true;
}

void readJsonStream(const std::string& owner, std::istream& stream, nlohmann::json& document)
{
    document = nullptr;
    try {
        // Stream extraction builds the tree in place, so a file cut off in its second entry
        // still leaves the complete first entry in the document.
        stream >> document;
    } catch (const nlohmann::json::exception& error) {
        reportLine(owner + ": Error while parsing JSON.");
        reportLine(error.what());
    } catch (const std::ios_base::failure& error) {
        // A read that fails under the parser (the file's device) ends the text like a syntax
        // error: what was read before stays.
        reportLine(owner + ": Error while parsing JSON.");
        reportLine(error.what());
    }
}

bool loadJsonFile(const std::string& owner, const std::string& path, const DocumentProcess& process)
{
    nlohmann::json document;
    return readJsonFile(owner, path, document) && process(document);
}

bool loadJsonStream(const std::string& owner, std::istream& stream, const DocumentProcess& process)
{
    nlohmann::json document;
    readJsonStream(owner, stream, document);
    return process(document);
}

bool validateJson(const nlohmann::json& document, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (!document.is_object() || !document.contains(name)) {
            reportLine(std::string("validateJson: Missing prop: ") + name + ".");
            return false;
        }
    }
    return true;
}

void reportWrongType(const std::string& owner, const std::string& key, const nlohmann::json::exception& error)
{
    reportLine(owner + ": Wrong value type in [" + key + "]: " + error.what());
}
