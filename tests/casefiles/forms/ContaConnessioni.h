#pragma once
// Counts the archive files opened while it lives: every connection the program opens goes
// through SQLite's default file system, which this stands in for (passing everything on).
#include <sqlite3.h>

#include <stdexcept>

class ContaConnessioni {
public:
    ContaConnessioni() {
        reale_ = sqlite3_vfs_find(nullptr);
        vfs_ = *reale_;
        vfs_.zName = "conta_connessioni";
        vfs_.pAppData = this;
        vfs_.xOpen = &apri;
        if (sqlite3_vfs_register(&vfs_, 1) != SQLITE_OK) throw std::runtime_error("vfs");
    }
    ~ContaConnessioni() {
        sqlite3_vfs_unregister(&vfs_);
        sqlite3_vfs_register(reale_, 1);
    }
    ContaConnessioni(const ContaConnessioni&) = delete;
    ContaConnessioni& operator=(const ContaConnessioni&) = delete;

    // Archive files opened (not their journals) since it was made or last zeroed.
    int aperte() const { return aperte_; }
    void azzera() { aperte_ = 0; }

private:
    static int apri(sqlite3_vfs* vfs, const char* nome, sqlite3_file* file, int flags, int* uscita) {
        auto* self = static_cast<ContaConnessioni*>(vfs->pAppData);
        if (flags & SQLITE_OPEN_MAIN_DB) ++self->aperte_;
        return self->reale_->xOpen(self->reale_, nome, file, flags, uscita);
    }

    sqlite3_vfs* reale_ = nullptr;
    sqlite3_vfs vfs_{};
    int aperte_ = 0;
};
