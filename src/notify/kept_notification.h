#pragma once
// The reminder notification a later start of the same session replaces instead of adding another:
// its number and the server that gave it, kept in a small file of the user's runtime directory.
// A number means something only to the server that gave it: one started again (another unique
// bus name) numbers anew, and the kept number could be another program's notification there, so
// it is used only with the server that gave it.
//
// Nothing here fails loudly: a file that cannot be read or written only means that the next start
// adds its notification instead of replacing this one.

#include <QString>

namespace velorine::notify {

class KeptNotification {
public:
    explicit KeptNotification(QString file) : file_(std::move(file)) {}

    // The number to replace on `server` (a unique bus name): the one kept, when that very server gave
    // it; 0 (a new notification) otherwise.
    unsigned toReplaceOn(const QString& server) const;
    // Keeps `id`, given by `server`, for the next start.
    void keep(unsigned id, const QString& server) const;
    // Forgets `id` once its notification is gone, unless a later start has kept its own since.
    void forget(unsigned id, const QString& server) const;

private:
    QString file_;
};

}  // namespace velorine::notify
