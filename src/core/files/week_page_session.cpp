#include "core/files/week_page_session.h"

#include <system_error>
#include <utility>

#include "core/files/week_page_file.h"
#include "core/reading/file_handle.h"

namespace orbelquint {
namespace {

bool IsRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::symlink_status(file, error));
}

}  // namespace

WeekPageSession::WeekPageSession(const std::filesystem::path& folder) : claim_(folder) {}

WeekPageResult WeekPageSession::Build(const WeekPageRequest& request) {
    WeekPageResult result = WriteWeekPageFile(request, File(), Links::Refuse);
    std::string memory;
    if (result.status == BuildStatus::PageNotWritten) result = BuildWeekPageInMemory(request, memory);
    current_ = result.status == BuildStatus::Complete;
    if (current_) inMemory_ = std::move(memory);
    return result;
}

bool WeekPageSession::Exists() const {
    std::error_code error;
    return InMemory() || std::filesystem::is_regular_file(File(), error);
}

std::optional<std::string> WeekPageSession::Bytes(std::size_t limit) const {
    if (InMemory()) return inMemory_;
    auto page = ReadFileStart(File(), limit);
    if (!page || !page->Whole()) return std::nullopt;
    return std::move(page->bytes);
}

std::optional<std::string> WeekPageSession::Start(std::size_t limit) const {
    if (InMemory()) return inMemory_.substr(0, limit);
    auto page = ReadFileStart(File(), limit);
    if (!page) return std::nullopt;
    return std::move(page->bytes);
}

bool WeekPageSession::RemoveFile() const {
    std::error_code error;
    return !IsRegularFile(File()) || std::filesystem::remove(File(), error);
}

}  // namespace orbelquint
