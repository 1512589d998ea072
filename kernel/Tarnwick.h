// Tarnwick: the geometry kernel's public face (points, degree trigonometry, element database).
#pragma once

#include "kernel/base/CxyData.h"
#include "kernel/base/CxyzData.h"
#include "kernel/base/DegreeTrig.h"
#include "kernel/base/Tolerance.h"
#include "kernel/db/CDtbArc.h"
#include "kernel/db/CDtbArchive.h"
#include "kernel/db/CDtbAttributes.h"
#include "kernel/db/CDtbElement.h"
#include "kernel/db/CDtbEngine.h"
#include "kernel/db/CDtbInfo.h"
#include "kernel/db/CDtbLine.h"
#include "kernel/db/CDtbLink.h"
#include "kernel/db/CDtbNode.h"
#include "kernel/db/CDtbPoint.h"
#include "kernel/db/DtbBox.h"
#include "kernel/db/DtbWalk.h"
