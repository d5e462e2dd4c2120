#include "platform/FlatpakApps.h"

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>

#include <flatpak.h>

#include "platform/FileExists.h"
#include "platform/PlainName.h"

namespace platform {

namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
struct ArrayUnref {
    void operator()(GPtrArray* array) const { g_ptr_array_unref(array); }
};
using Installation = std::unique_ptr<FlatpakInstallation, ObjectUnref>;
// Owns the refs it holds.
using RefList = std::unique_ptr<GPtrArray, ArrayUnref>;

std::filesystem::path pathOf(FlatpakInstallation* installation)
{
    g_autoptr(GFile) folder = flatpak_installation_get_path(installation);
    g_autofree char* path = g_file_get_path(folder);
    return path ? std::filesystem::path(path) : std::filesystem::path();
}

// Where Flatpak keeps the user's installation, found as Flatpak finds it.
std::filesystem::path userInstallationFolder()
{
    if (const char* folder = std::getenv("FLATPAK_USER_DIR"); folder && *folder)
        return folder;
    return std::filesystem::path(g_get_user_data_dir()) / "flatpak";
}

// Opening the user's installation makes its folder when it is missing (in a home that never used
// Flatpak): such an installation is not opened at all. The system's are opened as Flatpak itself
// lists them, which changes nothing unless the user may write there.
std::vector<Installation> existingInstallations()
{
    std::vector<Installation> installations;
    if (fileExists(userInstallationFolder())) {
        if (FlatpakInstallation* user = flatpak_installation_new_user(nullptr, nullptr))
            installations.emplace_back(user);
    }
    if (g_autoptr(GPtrArray) system = flatpak_get_system_installations(nullptr, nullptr)) {
        for (guint i = 0; i < system->len; ++i)
            installations.emplace_back(FLATPAK_INSTALLATION(g_object_ref(g_ptr_array_index(system, i))));
    }
    return installations;
}

// The installed refs of the applications of one installation; none when it cannot be read.
RefList appRefs(FlatpakInstallation* installation)
{
    RefList refs(
        flatpak_installation_list_installed_refs_by_kind(installation, FLATPAK_REF_KIND_APP, nullptr, nullptr));
    return refs ? std::move(refs) : RefList(g_ptr_array_new());
}

FlatpakInstalledRef* refAt(const RefList& refs, guint index)
{
    return FLATPAK_INSTALLED_REF(g_ptr_array_index(refs.get(), index));
}

// The id of an installed ref when it is one that names a folder of its installation.
std::optional<std::string> idOf(FlatpakInstalledRef* ref)
{
    const char* id = flatpak_ref_get_name(FLATPAK_REF(ref));
    if (!id || !isPlainName(id))
        return std::nullopt;
    return std::string(id);
}

void addApps(FlatpakInstallation* installation, std::vector<FlatpakApp>& apps)
{
    const auto installationPath = pathOf(installation);
    const RefList refs = appRefs(installation);
    std::map<std::string, FlatpakApp> byID;
    for (guint i = 0; i < refs->len; ++i) {
        FlatpakInstalledRef* ref = refAt(refs, i);
        const auto id = idOf(ref);
        if (!id)
            continue;
        FlatpakApp& app = byID.try_emplace(*id, FlatpakApp{*id, installationPath, std::nullopt}).first->second;
        const char* deployed = flatpak_installed_ref_get_deploy_dir(ref);
        if (deployed && (!app.deployFolder || flatpak_installed_ref_get_is_current(ref)))
            app.deployFolder = std::filesystem::path(deployed);
    }
    for (auto& [id, app] : byID)
        apps.push_back(std::move(app));
}

std::error_code errorOf(const GError* error)
{
    int code = EIO;
    if (g_error_matches(error, FLATPAK_ERROR, FLATPAK_ERROR_NOT_AUTHORIZED) ||
        g_error_matches(error, FLATPAK_ERROR, FLATPAK_ERROR_PERMISSION_DENIED) ||
        g_error_matches(error, G_DBUS_ERROR, G_DBUS_ERROR_ACCESS_DENIED) ||
        g_error_matches(error, G_IO_ERROR, G_IO_ERROR_PERMISSION_DENIED))
        code = EACCES;
    else if (g_error_matches(error, FLATPAK_ERROR, FLATPAK_ERROR_NOT_INSTALLED))
        code = ENOENT;
    return {code, std::generic_category()};
}

// Every installed branch of the application `id`, in one transaction, which takes along the
// extensions that belong to it alone.
Outcome uninstall(FlatpakInstallation* installation, const std::string& id)
{
    g_autoptr(GError) error = nullptr;
    g_autoptr(FlatpakTransaction) transaction = flatpak_transaction_new_for_installation(installation, nullptr, &error);
    if (!transaction)
        return errorOf(error);
    // Uninstalling needs nothing from the application's remote.
    flatpak_transaction_set_no_pull(transaction, TRUE);
    bool found = false;
    const RefList refs = appRefs(installation);
    for (guint i = 0; i < refs->len; ++i) {
        FlatpakInstalledRef* ref = refAt(refs, i);
        if (idOf(ref) != id)
            continue;
        g_autofree char* name = flatpak_ref_format_ref(FLATPAK_REF(ref));
        if (!flatpak_transaction_add_uninstall(transaction, name, &error))
            return errorOf(error);
        found = true;
    }
    if (!found)
        return Outcome::failure(ENOENT);
    if (!flatpak_transaction_run(transaction, nullptr, &error))
        return errorOf(error);
    return success();
}

} // namespace

std::vector<FlatpakApp> installedFlatpakApps()
{
    std::vector<FlatpakApp> apps;
    for (const Installation& installation : existingInstallations())
        addApps(installation.get(), apps);
    return apps;
}

Outcome uninstallFlatpakApp(const std::filesystem::path& location)
{
    const std::string id = location.filename().string();
    if (location.parent_path().filename() != "app" || !isPlainName(id))
        return Outcome::failure(ENOENT);
    // Only an installation Flatpak knows, never one a path makes up.
    for (const Installation& installation : existingInstallations()) {
        if (pathOf(installation.get()) == location.parent_path().parent_path())
            return uninstall(installation.get(), id);
    }
    return Outcome::failure(ENOENT);
}

} // namespace platform
