#include "modelling/modelling_result.h"

RefusalText TextOf(Refusal refusal) {
    switch (refusal) {
        case Refusal::None:
            return {"", ""};
        case Refusal::NoCurrentObject:
            return {"there is no current object", "現在のオブジェクトがありません"};
        case Refusal::CurrentObjectHidden:
            return {"the current object is hidden", "現在のオブジェクトは非表示です"};
        case Refusal::CurrentObjectLocked:
            return {"the current object is locked", "現在のオブジェクトはロックされています"};
        case Refusal::NoFaceSelected:
            return {"no face is selected", "面が選択されていません"};
        case Refusal::NoVertexSelected:
            return {"no vertex is selected", "頂点が選択されていません"};
        case Refusal::TooFewVertices:
            return {"select 2 to 4 vertices of the current object",
                    "現在のオブジェクトの頂点を2～4個選択してください"};
        case Refusal::TooManyVertices:
            return {"a face has at most 4 corners: select 2 to 4 vertices",
                    "面の頂点は4個までです。頂点を2～4個選択してください"};
        case Refusal::NoObjectToMerge:
            return {"no object to merge is given", "結合するオブジェクトが指定されていません"};
        case Refusal::UnknownObject:
            return {
                "an object to merge is not in the list, is the current object or is named twice",
                "結合するオブジェクトの指定が正しくありません"};
        case Refusal::ObjectNotEditable:
            return {"an object to merge is hidden or locked",
                    "結合するオブジェクトが非表示かロックされています"};
        case Refusal::SizeOutOfRange:
            return {"size must be a finite number above 0", "サイズは0より大きい数にしてください"};
        case Refusal::SegmentsOutOfRange:
            return {"segments is out of range for this shape", "分割数が範囲外です"};
        case Refusal::RingsOutOfRange:
            return {"rings is out of range for this shape", "段数が範囲外です"};
        case Refusal::DistanceOutOfRange:
            return {"distance must be a finite number", "距離が正しくありません"};
        case Refusal::AngleOutOfRange:
            return {"angle must be between 0 and 180 degrees", "角度は0～180度にしてください"};
        case Refusal::CentreOutOfRange:
            return {"the centre must be a finite point", "中心の座標が正しくありません"};
        case Refusal::ResultTooLarge:
            return {"the result would have more vertices or faces than an object can hold",
                    "結果の頂点数か面数が多すぎます"};
    }
    return {"", ""};
}
