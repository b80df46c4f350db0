#include "skin/skin_path.h"

#include <system_error>

#include "platform/files.h"
#include "platform/ini_file.h"

namespace ventrio {

std::vector<std::string> SkinNameSteps(std::string_view name) {
    std::vector<std::string> steps;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view step = name.substr(start, end - start);
        if (!step.empty() && step != ".") {
            steps.emplace_back(step);
        }
        start = end + 1;
    }
    return steps;
}

std::filesystem::path ResolveSkinPath(const std::filesystem::path& folder, std::string_view name) {
    std::filesystem::path path = folder;
    bool searching = true;  // once a step is missing, nothing below it can be found
    for (const std::string& step : SkinNameSteps(name)) {
        const std::filesystem::path exact = path / PathFromUtf8(step);
        std::error_code error;
        if (!searching || std::filesystem::exists(exact, error)) {
            path = exact;
            continue;
        }
        std::filesystem::path match;
        for (std::filesystem::directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            if (EqualsIgnoreCase(PathToUtf8(it->path().filename()), step)) {
                match = it->path();
                break;
            }
        }
        if (match.empty()) {
            searching = false;
            path = exact;
        } else {
            path = match;
        }
    }
    return path;
}

}  // namespace ventrio
