#pragma once
// The pack's own kinds and bosses, read once for every test that brings one in.
#include <stdexcept>
#include <string>

#include "content/ContentBook.h"
#include "media/MediaFiles.h"

inline const ContentBook& GameContent() {
    static const ContentBook book(media_files::Dir().string() + "/", "");
    return book;
}

inline const EnemyKind& GameKind(const std::string& name) {
    const EnemyKind* kind = GameContent().Kind(name);
    if (!kind) throw std::logic_error("the pack has no kind " + name);
    return *kind;
}

inline const BossKind& GameBoss(const std::string& name) {
    const BossKind* boss = GameContent().Boss(name);
    if (!boss) throw std::logic_error("the pack has no boss " + name);
    return *boss;
}
