#include "carddav/keyring.h"

#include <libsecret/secret.h>

namespace velorine::carddav {
namespace {

const SecretSchema& passwordSchema() {
    static const SecretSchema schema = [] {
        SecretSchema s{};
        s.name = "example.velorine.CarnetEnLigne";
        s.flags = SECRET_SCHEMA_NONE;
        s.attributes[0] = {"adresse", SECRET_SCHEMA_ATTRIBUTE_STRING};
        s.attributes[1] = {"utilisateur", SECRET_SCHEMA_ATTRIBUTE_STRING};
        return s;
    }();
    return schema;
}

}  // namespace

KeyringAnswer lookUpPassword(const std::string& address, const std::string& user) {
    GError* error = nullptr;
    gchar* password = secret_password_lookup_sync(&passwordSchema(), nullptr, &error, "adresse", address.c_str(),
                                                  "utilisateur", user.c_str(), nullptr);
    if (error) {
        g_error_free(error);
        return {KeyringState::Unavailable, {}};
    }
    if (!password) return {KeyringState::NotStored, {}};
    KeyringAnswer answer{KeyringState::Found, password};
    secret_password_free(password);  // wipes it
    return answer;
}

bool storePassword(const std::string& address, const std::string& user, const std::string& password) {
    GError* error = nullptr;
    const std::string label = "Velorine : carnet d'adresses en ligne (" + user + " sur " + address + ")";
    const gboolean stored =
        secret_password_store_sync(&passwordSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(),
                                   nullptr, &error, "adresse", address.c_str(), "utilisateur", user.c_str(), nullptr);
    g_clear_error(&error);
    return stored != FALSE;
}

void forgetPassword(const std::string& address, const std::string& user) {
    GError* error = nullptr;
    secret_password_clear_sync(&passwordSchema(), nullptr, &error, "adresse", address.c_str(), "utilisateur",
                               user.c_str(), nullptr);
    g_clear_error(&error);
}

const char* const kNoKeyringText =
    "Aucun trousseau de clés ne répond sur ce bureau : le mot de passe ne peut pas être enregistré, il sera "
    "demandé à chaque synchronisation.";

}  // namespace velorine::carddav
