#pragma once
// The mail to the program's maker that the about box prepares: a draft file of four header lines
// that the user's mail program opens ready to edit. It lives in the program's private folder,
// never in the working directory, where a file of that fixed name could be the user's own.

#include <string>

namespace velorine::ui {

inline constexpr char kMakerName[] = "Atelier Velorine";
inline constexpr char kMakerAddress[] = "auteur@velorine.example";

class MailDraft {
public:
    // The draft LSEOHILD.EML in `folder`, which is created private (0700) when written.
    explicit MailDraft(std::string folder);

    const std::string& path() const { return path_; }
    // Creates the folder and (re)writes the draft, replacing whatever is at its name without
    // following a link. False when either could not be done.
    bool write() const;
    // Deletes the draft if it is there (a link at its name goes, not its target).
    void remove() const;

private:
    std::string folder_;
    std::string path_;
};

}  // namespace velorine::ui
