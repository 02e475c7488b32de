#include "game/Scene.h"

namespace {
constexpr const char* kNames[] = {
    "TitleMenu", "Practice",   "GetReady",  "StageRunner",   "Pause",     "GameOver",
    "Warning",   "GameClear",  "MusicFade", "ReplayStart",   "Replays",   "Options",
    "Results",   "HighScores", "HowToPlay", "PracticeStart", "StageTally"};
static_assert(std::size(kNames) == static_cast<std::size_t>(SceneKind::StageTally) + 1);
}  // namespace

std::string FirstKeyCap(const OptionsControl& options, KeyAction action) {
    for (const KeyBinding& binding : options.Current().keys) {
        if (binding.action != action) continue;
        std::string cap = options.KeyCap(binding.scancode);
        if (!cap.empty()) return cap;
    }
    return "?";
}

const char* SceneName(SceneKind kind) {
    return kNames[static_cast<int>(kind)];
}

Scene::Scene(SceneHost& host) : PoolNode(host.Scenes().Pool()), host(host) {}

void ScenePool::UpdateAll() {
    for (PoolCursor<Scene> cursor(pool); cursor.HasNext();) {
        if (!cursor.Next()->Update()) cursor.EraseCurrent();
    }
}

void ScenePool::DrawAll() const {
    for (Scene* scene : Each<Scene>(pool))
        scene->Draw();
}

bool ScenePool::Has(SceneKind kind) const {
    for (const Scene* scene : Each<const Scene>(pool)) {
        if (scene->Kind() == kind) return true;
    }
    return false;
}

std::string ScenePool::Names() const {
    std::string names;
    for (const Scene* scene : Each<const Scene>(pool)) {
        if (!names.empty()) names += ',';
        names += SceneName(scene->Kind());
    }
    return names;
}

bool ScenePool::Back() {
    for (PoolNode* node = pool.Sentinel()->prev; node != pool.Sentinel(); node = node->prev) {
        if (static_cast<Scene*>(node)->Back()) return true;
    }
    return false;
}
