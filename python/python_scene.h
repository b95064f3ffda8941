// The scene behind a Python Scene: the command session that holds the records
// with their undo history, what their open reported, the lock that keeps the
// module's threads apart, and the views over its vertices.
//
// Reading, writing, normals and drawing run without the interpreter's lock, so
// another Python thread may reach the same scene meanwhile: every access takes
// the scene's lock first. While holding it the module runs no Python code (no
// Python objects are made), and it never waits for the interpreter's lock:
// either could make two threads wait for each other.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string_view>

#include "commands/session.h"
#include "exchange/document_files.h"
#include "python/vertex_views.h"
#include "scene/centigrade.h"

// What a direct change of an object touched.
enum class ObjectEdit {
    Positions,  // vertex coordinates, same count
    Selection,  // selection flags
    Geometry,   // the vertex list or the faces
    Fields,     // name, smoothing angle, state, mirror axis
};

class PythonScene : public std::enable_shared_from_this<PythonScene> {
public:
    // The records and the session around them. Callers hold Mutex().
    CCentigrade& Records() { return session_.Scene(); }
    CommandSession& Session() { return session_; }
    std::mutex& Mutex() { return mutex_; }
    VertexViews& Views() { return views_; }

    // The file the scene was opened from (empty when made in memory) and what
    // opening it reported; set once, before the scene is shared.
    std::filesystem::path path;
    DocumentLoadResult loaded;

    // Object `index`; std::out_of_range when it is gone.
    CModel& Model(std::size_t index);
    CMaterial& Material(std::size_t index);

    // Counts the positions written through views since the last look as
    // moved, and refuses non-finite ones with std::invalid_argument naming the
    // object and the vertex: no scene holds a non-finite number. Call with
    // Mutex() held before anything reads positions.
    void SettleViews();

    // Brings every object's normals up to date with its positions and faces
    // (computing again only what changed). Call with Mutex() held, after
    // SettleViews().
    void UpdateNormals();

    // Runs a command of the table on the records (see CommandSession::Run).
    // Views keep writing into an object whose vertex array the command kept
    // in place; those of an object whose array it replaced, or that it
    // removed or moved in the list, are detached first (they keep the old
    // positions). Call with Mutex() held.
    CommandOutcome Run(std::string_view id, const Values& values);

    // Every change the module makes to the records itself, rather than by
    // running a command, is reported here once made. Such a change is no
    // undo step; one of the vertex list or the faces forgets the steps
    // before it, which no longer fit the object.
    void Edited(CModel& model, ObjectEdit edit = ObjectEdit::Fields);
    void Edited(CMaterial& material);

    // The scene was written to `path`: a native document is the clean state.
    void Saved(const std::filesystem::path& path);

private:
    CommandSession session_;
    std::mutex mutex_;
    VertexViews views_;
};
