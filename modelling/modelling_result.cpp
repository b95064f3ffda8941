#include "modelling/modelling_result.h"

RefusalText TextOf(ModellingRefusal refusal) {
    switch (refusal) {
        case ModellingRefusal::None:
            return {"", ""};
        case ModellingRefusal::NoCurrentObject:
            return {"there is no current object", "現在のオブジェクトがありません"};
        case ModellingRefusal::CurrentObjectHidden:
            return {"the current object is hidden", "現在のオブジェクトは非表示です"};
        case ModellingRefusal::CurrentObjectLocked:
            return {"the current object is locked", "現在のオブジェクトはロックされています"};
        case ModellingRefusal::NoFaceSelected:
            return {"no face is selected", "面が選択されていません"};
        case ModellingRefusal::NoVertexSelected:
            return {"no vertex is selected", "頂点が選択されていません"};
        case ModellingRefusal::TooFewVertices:
            return {"select 2 to 4 vertices of the current object",
                    "現在のオブジェクトの頂点を2～4個選択してください"};
        case ModellingRefusal::TooManyVertices:
            return {"a face has at most 4 corners: select 2 to 4 vertices",
                    "面の頂点は4個までです。頂点を2～4個選択してください"};
        case ModellingRefusal::NoObjectToMerge:
            return {"no object to merge is given", "結合するオブジェクトが指定されていません"};
        case ModellingRefusal::UnknownObject:
            return {
                "an object to merge is not in the list, is the current object or is named twice",
                "結合するオブジェクトの指定が正しくありません"};
        case ModellingRefusal::ObjectNotEditable:
            return {"an object to merge is hidden or locked",
                    "結合するオブジェクトが非表示かロックされています"};
        case ModellingRefusal::SizeOutOfRange:
            return {"size must be a finite number above 0", "サイズは0より大きい数にしてください"};
        case ModellingRefusal::SegmentsOutOfRange:
            return {"segments is out of range for this shape", "分割数が範囲外です"};
        case ModellingRefusal::RingsOutOfRange:
            return {"rings is out of range for this shape", "段数が範囲外です"};
        case ModellingRefusal::DistanceOutOfRange:
            return {"distance must be a finite number", "距離が正しくありません"};
        case ModellingRefusal::AngleOutOfRange:
            return {"angle must be between 0 and 180 degrees", "角度は0～180度にしてください"};
        case ModellingRefusal::CentreOutOfRange:
            return {"the centre must be a finite point", "中心の座標が正しくありません"};
        case ModellingRefusal::ResultTooLarge:
            return {"the result would have more vertices or faces than an object can hold",
                    "結果の頂点数か面数が多すぎます"};
    }
    return {"", ""};
}
