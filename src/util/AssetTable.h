#pragma once
// Every file of the asset folder Media/, one line each. Within a kind the lines
// are in load order, and a kind's handles are numbered in that order. The game's
// loaders, the tests and the asset generator all read this table; adding an asset
// is one line here.
#include <cstddef>
#include <string_view>

enum class AssetKind { Texture, Model, Font, Sound, Music, Video, Script, Content, Settings };

struct Asset {
    AssetKind kind;
    const char* handle;  // the name the code uses
    const char* file;    // relative to Media/
};

inline constexpr Asset kAssets[] = {
    {AssetKind::Texture, "title", "Texture/title.png"},
    {AssetKind::Texture, "lifeIcon", "Texture/ship.png"},
    {AssetKind::Texture, "bomb", "Texture/bomb.png"},  // loaded, never drawn
    {AssetKind::Texture, "a", "Texture/a.png"},        // loaded, never drawn

    {AssetKind::Video, "video2", "video2.wmv"},

    {AssetKind::Model, "obj1", "Model/obj1.x"},
    {AssetKind::Model, "beam", "Model/beam.x"},  // loaded, never drawn
    {AssetKind::Model, "crash_1", "Model/crash_1.x"},
    {AssetKind::Model, "crash_2", "Model/crash_2.x"},
    {AssetKind::Model, "obj2", "Model/obj2.x"},
    {AssetKind::Model, "big1", "Model/big1.x"},
    {AssetKind::Model, "obj3", "Model/obj3.x"},
    {AssetKind::Model, "obj4", "Model/obj4.x"},
    {AssetKind::Model, "item1", "Model/item1.x"},  // loaded, never drawn
    {AssetKind::Model, "item2", "Model/item2.x"},
    {AssetKind::Model, "effect1", "Model/effect1.x"},
    {AssetKind::Model, "bg1", "Model/bg1.x"},
    {AssetKind::Model, "ship", "Model/ship.x"},
    {AssetKind::Model, "shot", "Model/shot.x"},
    {AssetKind::Model, "obj5", "Model/obj5.x"},
    {AssetKind::Model, "obj6", "Model/obj6.x"},
    {AssetKind::Model, "bomb1", "Model/bomb1.x"},
    {AssetKind::Model, "bomb2", "Model/bomb2.x"},  // loaded, never drawn
    {AssetKind::Model, "bomb3", "Model/bomb3.x"},  // loaded, never drawn
    {AssetKind::Model, "bomb4", "Model/bomb4.x"},  // loaded, never drawn
    {AssetKind::Model, "bomb5", "Model/bomb5.x"},
    {AssetKind::Model, "bullet1", "Model/bullet1.x"},
    {AssetKind::Model, "bullet2", "Model/bullet2.x"},
    {AssetKind::Model, "needle1", "Model/needle1.x"},
    {AssetKind::Model, "needle2", "Model/needle2.x"},

    {AssetKind::Font, "font", "Font/fonts.png"},

    // Two files are loaded twice, into independent handles.
    {AssetKind::Sound, "sndShot", "Sound/shot.wav"},
    {AssetKind::Sound, "sndLaser", "Sound/laser.wav"},  // loaded, never played
    {AssetKind::Sound, "sndBom1", "Sound/bom1.wav"},
    {AssetKind::Sound, "sndCrash", "Sound/crash.wav"},
    {AssetKind::Sound, "sndBossOut", "Sound/boss_out.wav"},
    {AssetKind::Sound, "sndCap1", "Sound/cap.wav"},
    {AssetKind::Sound, "sndCap2", "Sound/cap.wav"},
    {AssetKind::Sound, "sndBomb1", "Sound/bomb.wav"},
    {AssetKind::Sound, "sndBomb2", "Sound/bomb.wav"},  // loaded, never played
    {AssetKind::Sound, "sndKasuri", "Sound/kasuri.wav"},
    {AssetKind::Sound, "sndVoiceOption", "Sound/voice_option.wav"},

    {AssetKind::Music, "qz_disky", "Music/qz_disky.mid"},
    {AssetKind::Music, "qz_megami(or)", "Music/qz_megami(or).mid"},
    {AssetKind::Music, "qz_bossbattle1", "Music/qz_bossbattle1.mid"},

    {AssetKind::Script, "stage", "script_easy.txt"},
    {AssetKind::Content, "kinds", "kinds.toml"},
    {AssetKind::Content, "bosses", "bosses.toml"},
    {AssetKind::Settings, "options", "option.ini"},
};

constexpr int AssetCount(AssetKind kind) {
    int n = 0;
    for (const Asset& a : kAssets)
        n += a.kind == kind;
    return n;
}

// The position of a handle among the assets of its kind; -1 when there is none.
constexpr int AssetIndex(AssetKind kind, std::string_view handle) {
    int n = 0;
    for (const Asset& a : kAssets) {
        if (a.kind != kind) continue;
        if (handle == a.handle) return n;
        ++n;
    }
    return -1;
}

// The n-th asset of a kind.
constexpr const Asset& AssetAt(AssetKind kind, int n) {
    for (const Asset& a : kAssets) {
        if (a.kind == kind && n-- == 0) return a;
    }
    return kAssets[0];
}

// A handle of one kind, checked while compiling: a name that is not in the
// table does not build.
template <AssetKind K>
struct AssetRef {
    consteval AssetRef(const char* handle) : index(AssetIndex(K, handle)) {  // NOLINT: implicit
        if (index < 0) throw "no asset of this kind has that handle";
    }
    int index;
};

using ModelRef = AssetRef<AssetKind::Model>;
using SoundRef = AssetRef<AssetKind::Sound>;
using TextureRef = AssetRef<AssetKind::Texture>;
using MusicRef = AssetRef<AssetKind::Music>;

inline constexpr int kModelCount = AssetCount(AssetKind::Model);
inline constexpr int kSoundCount = AssetCount(AssetKind::Sound);
inline constexpr int kTextureCount = AssetCount(AssetKind::Texture);
