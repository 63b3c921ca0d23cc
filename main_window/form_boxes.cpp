#include "form_boxes.h"

namespace {

// The status row is the status check box; the two options beside it belong
// to it. The date row is the date picker.
// One row for each box, read as a table.
// clang-format off
const FormBox kBoxes[] = {
    // field, box, group, area; prompt, its area, its width in 1.0, its caption in 1.0; tooltip, in 1.0 too
    {&DocumentRecord::product, "TxtProducto", "Frame1", {2040, 960, 2535, 285},
     "Label2", {360, 960, 1575, 255}, 0, "Nombre del producto:", TextId::ProductTip, true},
    {&DocumentRecord::version, "TxtVersion", "Frame1", {2040, 1320, 615, 285},
     "Label3", {360, 1320, 1575, 255}, 0, "Versión del producto:", TextId::VersionTip, true},
    {&DocumentRecord::status, "Chk1", "Frame1", {360, 1680, 4215, 255},
     nullptr, {}, 0, nullptr, std::nullopt, false},
    {&DocumentRecord::author, "TxtNomApe", "Frame2", {1920, 960, 2655, 285},
     "Label5", {360, 960, 1455, 255}, 0, "Nombre y apellidos:", TextId::AuthorTip, true},
    {&DocumentRecord::email, "TxtEmail", "Frame2", {1920, 1320, 2655, 285},
     "Label6", {360, 1320, 1455, 255}, 0, "Dirección E-Mail:", TextId::EmailTip, true},
    {&DocumentRecord::web, "TxtWeb", "Frame2", {1920, 1680, 2655, 285},
     "Label7", {360, 1680, 1455, 255}, 0, "Página Web:", TextId::WebTip, false},
    {&DocumentRecord::date, "Calendario", "Frame2", {1920, 2040, 2655, 375},
     "Label8", {360, 2040, 1455, 255}, 0, "Fecha de Creación:", TextId::DateTip, false},
    {&DocumentRecord::useLicence, "TxtUso", "Frame3", {360, 1200, 4335, 1575},
     "Label10", {360, 960, 4335, 255}, 1815, "Licencia de uso:", std::nullopt, false},
    {&DocumentRecord::distributionLicence, "TxtDistribucion", "Frame3", {360, 3240, 4335, 1815},
     "Label11", {360, 3000, 4335, 255}, 1815, "Licencia de distrubución:", std::nullopt, false},
    {&DocumentRecord::description, "TxtDesc", "Frame4", {360, 720, 9375, 1935},
     "Label12", {360, 360, 6495, 255}, 2655, "Establece la descripión del producto:", std::nullopt, false},
};
// clang-format on

}  // namespace

std::span<const FormBox> formBoxes() { return kBoxes; }
