// The host layer in one include.
#pragma once

#include "host/qor_app.h"
#include "host/qor_bitmap.h"
#include "host/qor_canvas.h"
#include "host/qor_color.h"
#include "host/qor_control.h"
#include "host/qor_edit.h"
#include "host/qor_font.h"
#include "host/qor_format.h"
#include "host/qor_grid.h"
#include "host/qor_label.h"
#include "host/qor_timer.h"
#include "host/qor_tree.h"
#include "host/qor_types.h"
