// placeholder
namespace motore {}
