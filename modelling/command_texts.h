// The modelling commands' ids and texts (menu entries and undo step names).
#pragma once

#include <string_view>

struct ModellingCommandText {
    std::string_view id;
    std::string_view text;  // UTF-8
};

namespace modelling_command {

inline constexpr ModellingCommandText kCreatePlane{"create.plane", "平面"};
inline constexpr ModellingCommandText kCreateCube{"create.cube", "立方体"};
inline constexpr ModellingCommandText kCreateCylinder{"create.cylinder", "円柱"};
inline constexpr ModellingCommandText kCreateSphere{"create.sphere", "球"};
inline constexpr ModellingCommandText kCreateCone{"create.cone", "円錐"};
inline constexpr ModellingCommandText kFaceCreate{"face.create", "面を張る"};
inline constexpr ModellingCommandText kExtrude{"face.extrude", "押し出し"};
inline constexpr ModellingCommandText kWeld{"vertex.weld", "頂点を結合"};
inline constexpr ModellingCommandText kMergeByDistance{"vertex.merge_by_distance",
                                                       "近い頂点を結合"};
inline constexpr ModellingCommandText kFlip{"face.flip", "面の反転"};
inline constexpr ModellingCommandText kTriangulate{"face.triangulate", "三角形に分割"};
inline constexpr ModellingCommandText kQuadrangulate{"face.quadrangulate", "四角形に結合"};
inline constexpr ModellingCommandText kSubdivide{"face.subdivide", "細分化"};
inline constexpr ModellingCommandText kDeleteVertices{"vertex.delete", "頂点の削除"};
inline constexpr ModellingCommandText kCleanVertices{"vertex.clean", "未使用頂点の削除"};
inline constexpr ModellingCommandText kSeparate{"object.separate", "分離"};
inline constexpr ModellingCommandText kDuplicateFaces{"object.duplicate_faces", "面の複製"};
inline constexpr ModellingCommandText kMergeObjects{"object.merge", "オブジェクトの結合"};
inline constexpr ModellingCommandText kMirror{"edit.mirror", "反転複写"};

}  // namespace modelling_command
