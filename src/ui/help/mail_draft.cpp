#include "ui/help/mail_draft.h"

#include <unistd.h>

#include "store/private_files.h"

namespace velorine::ui {

namespace {

// The draft's bytes: From, To, Subject and X-Unsent lines, each ending in CR LF, no body.
std::string mailDraftBytes() {
    return std::string("From:\r\n") + "To: \"" + kMakerName + "\" <" + kMakerAddress + ">\r\n" +
           "Subject: =?iso-8859-1?Q?Infos Velorine?=\r\n" + "X-Unsent: 1\r\n";
}

}  // namespace

MailDraft::MailDraft(std::string folder) : folder_(std::move(folder)), path_(folder_ + "/LSEOHILD.EML") {}

bool MailDraft::write() const {
    return store::preparePrivateFolder(folder_) && store::writePrivateFile(path_, mailDraftBytes());
}

void MailDraft::remove() const { ::unlink(path_.c_str()); }

}  // namespace velorine::ui
