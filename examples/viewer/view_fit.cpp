// Fitting the bounding sphere rather than the box keeps the distance the same from every
// direction, so turning the mesh never pushes it out of the frame.
#include "view_fit.h"

#include <GL/gl.h>

#include <cmath>
#include <numbers>

namespace meshwright::viewer {

namespace {

constexpr double kHalfFieldOfView = std::numbers::pi / 12;  // 15 degrees
constexpr double kMargin = 1.08;  // the sphere's radius, enlarged to leave a rim of background

struct Sphere {
    double centre[3];
    double radius;
};

Sphere enclose(const Bounds& bounds) {
    Sphere sphere{{0, 0, 0}, 0};
    if (bounds.empty()) {
        sphere.radius = 1;
        return sphere;
    }
    for (int axis = 0; axis < 3; ++axis) {
        double low = bounds.min[axis], high = bounds.max[axis];
        sphere.centre[axis] = (low + high) / 2;
        sphere.radius += (high - low) * (high - low) / 4;
    }
    sphere.radius = std::sqrt(sphere.radius);
    if (!(sphere.radius > 0) || !std::isfinite(sphere.radius)) {
        sphere.radius = 1;
    }
    return sphere;
}

}  // namespace

void fitView(const Bounds& bounds, int width, int height, double elevation, double azimuth) {
    const Sphere sphere = enclose(bounds);
    const double reach = kMargin * sphere.radius;
    const double distance = reach / std::sin(kHalfFieldOfView);
    const double nearPlane = distance - reach;
    const double farPlane = distance + reach;
    const double aspect = static_cast<double>(width) / (height > 0 ? height : 1);
    const double narrowSide = nearPlane * std::tan(kHalfFieldOfView);
    const double halfWidth = aspect >= 1 ? narrowSide * aspect : narrowSide;
    const double halfHeight = aspect >= 1 ? narrowSide : narrowSide / aspect;

    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-halfWidth, halfWidth, -halfHeight, halfHeight, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0, 0, -distance);
    glRotated(elevation, 1, 0, 0);
    glRotated(azimuth, 0, 1, 0);
    glTranslated(-sphere.centre[0], -sphere.centre[1], -sphere.centre[2]);
}

}  // namespace meshwright::viewer
