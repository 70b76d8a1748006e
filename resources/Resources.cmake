# Compiles the program's pictures, translations and map page into lumetra_core.
set(RES ${PROJECT_SOURCE_DIR}/resources)

file(GLOB PICTURE_FILES CONFIGURE_DEPENDS ${RES}/pictures/*.svg ${RES}/pictures/*.png)
qt_add_resources(lumetra_core "pictures" PREFIX "/pictures" BASE ${RES}/pictures FILES ${PICTURE_FILES})

file(GLOB_RECURSE MAP_FILES CONFIGURE_DEPENDS ${RES}/map/*)
qt_add_resources(lumetra_core "mappage" PREFIX "/map" BASE ${RES}/map FILES ${MAP_FILES})

# Leaflet ships with the program from Debian's package; nothing is fetched at run time.
set(LEAFLET_DIR /usr/share/javascript/leaflet)
set(LEAFLET_FILES
    ${LEAFLET_DIR}/leaflet.js ${LEAFLET_DIR}/leaflet.css
    ${LEAFLET_DIR}/images/marker-icon.png ${LEAFLET_DIR}/images/marker-icon-2x.png
    ${LEAFLET_DIR}/images/marker-shadow.png ${LEAFLET_DIR}/images/layers.png
    ${LEAFLET_DIR}/images/layers-2x.png)
qt_add_resources(lumetra_core "leaflet" PREFIX "/map/leaflet" BASE ${LEAFLET_DIR} FILES ${LEAFLET_FILES})

file(GLOB TS_FILES CONFIGURE_DEPENDS ${RES}/translations/*.ts)
qt_add_translations(lumetra_core TS_FILES ${TS_FILES} RESOURCE_PREFIX "/translations")

qt_add_resources(lumetra_core "icons" PREFIX "/icons" BASE ${RES}/icons FILES ${RES}/icons/lumetra.svg)
