// Editable polygon objects (type 5100): points and polygons in object coordinates.
#pragma once

#include "plugin/host/object.h"

#include <cstdint>
#include <vector>

// Four point indices; a triangle has c == d.
struct HostPolygon {
    int32_t a = 0, b = 0, c = 0, d = 0;
    bool isTriangle() const { return c == d; }
    bool operator==(const HostPolygon& o) const {
        return a == o.a && b == o.b && c == o.c && d == o.d;
    }
};

class HostPolygonObject : public HostObject {
public:
    HostPolygonObject* toPolygonObject() override { return this; }

    virtual const std::vector<Vector>& points() const = 0;
    virtual const std::vector<HostPolygon>& polygons() const = 0;
    virtual void setPoints(std::vector<Vector> points) = 0;
    virtual void setPolygons(std::vector<HostPolygon> polygons) = 0;

    // --- Smoothing. Four normals per polygon (corners a, b, c, d), in object coordinates, as the
    // object's Phong tag smooths them (honouring its angle limit); empty without a Phong tag.
    virtual std::vector<Vector> phongNormals() const = 0;
};
