#include "contacts/calendar_target.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string_view>

#include "contacts/vcard_lines.h"
#include "store/data_file.h"

namespace velorine::contacts {
namespace {

// Enough to see what a file is: a calendar's first line, or a list's first sections.
constexpr std::size_t kHeadSize = 4096;

enum class Content { Nothing, NotRegular, Unreadable, Empty, Calendar, List, Other };

struct Head {
    Content content = Content::Nothing;
    std::string bytes;
};

Head headOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {errno == ENOENT ? Content::Nothing : Content::Unreadable, {}};
    Head head;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {Content::NotRegular, {}};
    }
    head.bytes.resize(kHeadSize);
    std::size_t filled = 0;
    while (filled < kHeadSize) {
        const ssize_t got = ::read(fd, head.bytes.data() + filled, kHeadSize - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            ::close(fd);
            return {Content::Unreadable, {}};
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    head.bytes.resize(filled);
    if (filled == 0) {
        head.content = Content::Empty;
        return head;
    }
    std::string_view text = head.bytes;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    text.remove_prefix(std::min(text.size(), text.find_first_not_of(" \t\r\n")));
    const std::string upper = upperAscii(text);
    if (upper.starts_with("BEGIN:VCALENDAR"))
        head.content = Content::Calendar;
    else if (upper.find("[VELORINE]") != std::string::npos || upper.find("[CONTROLE]") != std::string::npos)
        head.content = Content::List;
    else
        head.content = Content::Other;
    return head;
}

// The same file: the same inode when both exist (a link, another spelling of the path), else the
// same place once the existing part of each path is resolved.
bool samePlace(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    std::error_code error;
    const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, error), error);
    if (error) return a == b;
    const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, error), error);
    if (error) return a == b;
    return ca == cb;
}

std::string besideOf(const std::string& path, const std::string& name) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

}  // namespace

CalendarTargetRefusal calendarTargetRefusal(const std::string& target, const std::vector<std::string>& protectedPaths) {
    for (const std::string& list : protectedPaths) {
        for (const std::string& kept : {list, store::lockFilePath(list), besideOf(list, "velor.ouv")})
            if (samePlace(target, kept)) return CalendarTargetRefusal::ProgramFile;
    }
    switch (headOf(target).content) {
        case Content::Nothing:
        case Content::NotRegular:
        case Content::Empty:
        case Content::Calendar: return CalendarTargetRefusal::None;
        case Content::List: return CalendarTargetRefusal::List;
        case Content::Unreadable:
        case Content::Other: break;
    }
    return CalendarTargetRefusal::OtherFile;
}

std::string calendarTargetText(CalendarTargetRefusal refusal, const std::string& shownName) {
    const std::string name = "« " + shownName + " »";
    const std::string rule =
        " : l'agenda s'écrit dans un nouveau fichier, un fichier vide ou un agenda iCalendar (.ics) déjà exporté. "
        "Rien n'a été écrit.";
    switch (refusal) {
        case CalendarTargetRefusal::None: return {};
        case CalendarTargetRefusal::ProgramFile:
            return name + " est un fichier de la liste de Velorine, il ne sera pas remplacé par un agenda" + rule;
        case CalendarTargetRefusal::List:
            return name + " est une liste de Velorine, elle ne sera pas remplacée par un agenda" + rule;
        case CalendarTargetRefusal::OtherFile: return name + " n'est pas un agenda, il ne sera pas remplacé" + rule;
    }
    return {};
}

}  // namespace velorine::contacts
